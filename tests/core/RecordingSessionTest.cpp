#include "core/RecordingSession.h"

#include "core/RecorderFlags.h"
#include "core/Settings.h"
#include "core/BoxAnswer.h"
#include "core/MciChannel.h"
#include "core/RecordingFormat.h"
#include "core/RecordingPrompts.h"
#include "support/ScriptedEngine.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>

namespace sondex {
namespace {

using namespace std::chrono_literals;
using Kind = RecordingKind;

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The person at the machine: answers from a script, notes every question in
// order ("message:", "question:", "dialog:" + folder + "|" + name) and
// whether the busy flag was up each time.
class ScriptedPrompts final : public RecordingPrompts {
public:
    explicit ScriptedPrompts(const RecorderFlags& flags) : flags_(flags) {}

    BoxAnswer message(const QString& text) override {
        note(u("message:") + text);
        return messageAnswer;
    }
    BoxAnswer question(const QString& text, BoxAnswer defaultAnswer) override {
        note(u("question:") + text);
        defaults.append(defaultAnswer);
        return take(answers, defaultAnswer);
    }
    std::optional<QString> saveName(const QString& fileName, const QString& folder) override {
        note(u("dialog:") + folder + u("|") + fileName);
        if (whileDialogShown) whileDialogShown();
        // A save that keeps asking would hang the test instead of failing it.
        if (asked.size() > 20) {
            ADD_FAILURE() << "the dialog keeps coming back";
            return u("/dev/null");
        }
        return take(names, std::optional<QString>());
    }
    void busyCursor(bool on) override { hourglass += on ? 1 : -1; }

    QStringList asked;
    bool busyEachTime = true;
    BoxAnswer messageAnswer = BoxAnswer::Ok;
    QList<BoxAnswer> defaults;
    std::deque<BoxAnswer> answers;
    int hourglass = 0;
    std::deque<std::optional<QString>> names;
    std::function<void()> whileDialogShown;

private:
    template <typename T>
    static T take(std::deque<T>& script, T otherwise) {
        if (script.empty()) return otherwise;
        T first = script.front();
        script.pop_front();
        return first;
    }
    void note(const QString& what) {
        asked.append(what);
        busyEachTime = busyEachTime && flags_.messageBusy;
    }
    const RecorderFlags& flags_;
};

class RecordingSessionTest : public ::testing::Test {
protected:
    RecordingSessionTest() {
        settings.setText(Setting::TEMPALL, folder());
        engine.answer(u("capability tavikREC can"), {0, u(" TRUE ")});
        engine.answer(u("status tavikREC position"), {0, u("83456")});
        qputenv("TEMP", QFile::encodeName(deviceTempDir.path()));
    }
    ~RecordingSessionTest() override { qputenv("TEMP", oldTemp); }

    QString folder() const { return recordingDir.path() + u("/"); }
    QString in(const char* name) const { return folder() + u(name); }
    QString templateFile() const { return programFolder + u("sondex.wav"); }
    QString deviceTemp() const { return deviceTempDir.path() + u("/"); }
    QStringList saves() const { return engine.sent.filter(u("save tavikREC")); }
    static QString save(const QString& path) { return u("save tavikREC \"") + path + u("\" wait"); }
    static void touch(const QString& path) { QFile(path).open(QIODevice::WriteOnly); }

    RecordingHooks hooks() {
        RecordingHooks h;
        h.testMode = [this] { return testMode; };
        h.exitAfterRecordingArmed = [this] { return exitArmed; };
        h.timeOfDayTimerRunning = [this] { return timerRunning; };
        h.onSaved = [this](Kind kind, const QString& path, int ms) {
            saved.append(QString::number(int(kind)) + u(":") + path + u(":") + QString::number(ms));
        };
        h.onManualSaved = [this] { ++manualSaved; };
        h.templateSettle = 0ms;
        return h;
    }
    // Prepares the kind and forgets the commands that took.
    void prepare(Kind kind) {
        ASSERT_TRUE(session.prepare(kind));
        engine.sent.clear();
    }
    void end(Kind kind) {
        kind == Kind::Manual  ? session.SaveManualRecording()
        : kind == Kind::Music ? session.SaveMusicRecording()
                              : session.SaveCdRecording();
    }
    // The commands of an end that saves nothing, after the first stop and the partner's.
    static QStringList closing() {
        return {u("status tavikREC position wait"), u("stop tavikREC wait"),
                u("close tavikREC wait")};
    }

    QTemporaryDir programDir;
    QTemporaryDir recordingDir;
    QTemporaryDir deviceTempDir;  // where the device keeps its temporary file
    QByteArray oldTemp = qgetenv("TEMP");
    QString programFolder = programDir.path() + u("/");
    Settings settings{programFolder};
    test::ScriptedEngine engine;
    MciChannel channel{engine, [] {}};
    RecorderFlags flags;
    ScriptedPrompts prompts{flags};
    bool testMode = false;
    bool exitArmed = false;
    bool timerRunning = false;
    QStringList saved;
    int manualSaved = 0;
    RecordingSession session{channel, settings, flags, prompts, programFolder, hooks()};
};

TEST_F(RecordingSessionTest, ManualRecordingIsPreparedOnATemplateAndSavedUnderTheNextFreeName) {
    touch(in("wav0000.wav"));
    settings.setNumber(Setting::BufCount, 4);
    settings.setNumber(Setting::rate2, 0);
    settings.setOn(Setting::Bit, false);
    settings.setOn(Setting::stereo, false);
    ASSERT_TRUE(session.prepare(Kind::Manual));
    QFile file(templateFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), templateWavHeader({8000, 1, 8}));
    EXPECT_TRUE(session.isOpen(Kind::Manual));

    session.SaveManualRecording();
    EXPECT_EQ(engine.sent,
              QStringList({u("Open \"") + templateFile() + u("\" alias tavikREC buffer 4 wait"),
                           u("capability tavikREC can record wait"),
                           u("capability tavikREC can save wait"), u("stop tavikREC wait"),
                           save(in("wav0001.wav"))}) +
                  closing());
    EXPECT_EQ(saved, QStringList({u("0:") + in("wav0001.wav") + u(":83456")}));
    EXPECT_EQ(manualSaved, 1);
    EXPECT_EQ(session.saveName(Kind::Manual), QString());
    EXPECT_FALSE(session.isOpen(Kind::Manual));
    EXPECT_FALSE(QFile::exists(templateFile()));
    EXPECT_TRUE(prompts.asked.isEmpty());

    // Ended once, a second end finds nothing open.
    engine.sent.clear();
    session.SaveManualRecording();
    EXPECT_TRUE(engine.sent.isEmpty());
}

TEST_F(RecordingSessionTest, MusicAndCdEndsCloseTheirPartnerDeviceWhetherOrNotOpen) {
    for (const auto& [kind, partner] :
         {std::pair{Kind::Music, "tavikMID"}, std::pair{Kind::Cd, "tavikCD"}}) {
        const QStringList stopPartner = {u("stop ") + u(partner) + u(" wait"),
                                         u("close ") + u(partner) + u(" wait")};
        prepare(kind);
        end(kind);
        EXPECT_EQ(engine.sent, QStringList(u("stop tavikREC wait")) + stopPartner +
                                   QStringList(save(in("wav0000.wav"))) + closing());
        engine.sent.clear();
        end(kind);
        EXPECT_EQ(engine.sent, stopPartner);
    }
    EXPECT_EQ(saved.size(), 2);
    EXPECT_EQ(manualSaved, 0);
}

TEST_F(RecordingSessionTest, TestRecordingsUseTheTestNameOrAreDiscardedWithoutTheTestFile) {
    testMode = true;
    settings.setOn(Setting::SAVE_NAME, true);
    prepare(Kind::Manual);
    EXPECT_EQ(session.saveName(Kind::Manual), in("wavtest.wav"));
    EXPECT_TRUE(session.discardsRecording());
    session.SaveManualRecording();
    EXPECT_EQ(engine.sent, QStringList(u("stop tavikREC wait")) + closing());
    EXPECT_TRUE(saved.isEmpty());
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_FALSE(QFile::exists(templateFile()));

    settings.setOn(Setting::SAVE_NAME, false);
    settings.setOn(Setting::RECTESTFILE, true);
    touch(in("wavtest.wav"));
    prepare(Kind::Manual);
    session.SaveManualRecording();
    EXPECT_EQ(engine.sent.value(1), save(in("wavtest.wav")));

    testMode = false;
    prepare(Kind::Manual);
    EXPECT_FALSE(session.isTestRecording());
    EXPECT_EQ(session.saveName(Kind::Manual), in("wav0000.wav"));
}

TEST_F(RecordingSessionTest, DeviceRefusalsReportAndLeaveNothingOpen) {
    struct Case {
        const char* failing;
        test::ScriptedEngine::Answer answer;
        qsizetype sentBeforeCleanup;
        const char* message;
    };
    for (const Case& c :
         {Case{"Open ", {263, {}}, 1, "録音エラー： オープンに失敗しました。\nエラー番号263です。"},
          Case{"capability tavikREC can record",
               {0, u("false")},
               2,
               "録音エラー：\n 録音がサボートされていません。"},
          Case{"capability tavikREC can save",
               {275, u("TRUE")},
               3,
               "録音エラー：\n 録音セーブがサボートされていません。"}}) {
        engine.sent.clear();
        prompts.asked.clear();
        engine.answer(u(c.failing), c.answer);
        EXPECT_FALSE(session.prepare(Kind::Music));
        EXPECT_EQ(engine.sent.mid(c.sentBeforeCleanup),
                  QStringList({u("stop tavikREC wait"), u("close tavikREC wait")}));
        EXPECT_EQ(prompts.asked, QStringList(u("message:") + u(c.message)));
        EXPECT_FALSE(session.isOpen(Kind::Music));
        EXPECT_FALSE(QFile::exists(templateFile()));
        EXPECT_EQ(session.templatePath(), QString());
        engine.answer(u(c.failing), {0, u("true")});
    }
    EXPECT_TRUE(prompts.busyEachTime);
    EXPECT_FALSE(flags.messageBusy);
    EXPECT_FALSE(flags.breakOff);
}

TEST_F(RecordingSessionTest, NoTemplateOrNoFreeNameStopsBeforeTheDevice) {
    RecordingSession homeless(channel, settings, flags, prompts, programFolder + u("gone/"),
                              hooks());
    prompts.messageAnswer = BoxAnswer::Abort;
    EXPECT_FALSE(homeless.prepare(Kind::Manual));
    EXPECT_TRUE(flags.breakOff);

    for (int n = 0; n <= 9999; ++n)
        touch(folder() + u("wav%1.wav").arg(n, 4, 10, QLatin1Char('0')));
    EXPECT_FALSE(session.prepare(Kind::Manual));
    EXPECT_TRUE(engine.sent.isEmpty());
    EXPECT_EQ(
        prompts.asked,
        QStringList(
            {u("message:録音エラー： 録音ファイルの作成に失敗しました。"),
             u("message:録音エラー：\n 自動ファイル名(wav0000～wav9999)が残っていません。")}));
    EXPECT_FALSE(QFile::exists(templateFile()));
    EXPECT_FALSE(session.isOpen(Kind::Manual));
    EXPECT_FALSE(flags.messageBusy);
}

TEST_F(RecordingSessionTest,
       AFailedSaveGoesToTheRecordingFolderTheRescueFolderOrTheTemporaryFolder) {
    struct Case {
        Kind kind;
        QString failing;  // saves starting with this fail from now on
        QString rescued;
        QString note;
    };
    QDir().mkpath(programFolder + u("rescue"));
    touch(programFolder + u("rescue/wav0000.wav"));  // an earlier rescue is kept
    session.played().cdDriveCaption = u(" E:");
    const QString failed =
        u("\n 録音セーブに失敗しました。\n\n録音データは、次のファイルに保存しました☆\n");
    for (const Case& c :
         {Case{Kind::Manual, save(in("wav0000.wav")), in("wav0000-1.wav"), {}},
          Case{Kind::Cd,
               u("save tavikREC \"") + folder(),
               programFolder + u("rescue/wav0000-1.wav"),
               {}},
          Case{Kind::Manual, u("save tavikREC \"") + programFolder, deviceTemp() + u("wav0000.wav"),
               u("\n（一時フォルダーです。消される前に移してください）")}}) {
        engine.answer(c.failing, {286, {}});
        prompts.asked.clear();
        prepare(c.kind);
        end(c.kind);
        EXPECT_EQ(saves().last(), save(c.rescued));
        EXPECT_TRUE(engine.sent.endsWith(u("close tavikREC wait")));
        const QString where = c.kind == Kind::Cd ? u("[ E:]ドライブ/") : QString();
        EXPECT_EQ(prompts.asked, QStringList(u("message:録音エラー： ") + where +
                                             in("wav0000.wav") + failed + c.rescued + c.note));
        EXPECT_FALSE(session.isOpen(c.kind));
        EXPECT_EQ(session.saveName(c.kind), in("wav0000.wav"));
    }
    EXPECT_TRUE(saved.isEmpty());
    EXPECT_EQ(manualSaved, 0);
    EXPECT_FALSE(QFile::exists(templateFile()));
    EXPECT_TRUE(prompts.busyEachTime);
}

TEST_F(RecordingSessionTest, ARecordingNoFolderTakesStaysInTheOpenDeviceUntilASaveWorks) {
    touch(deviceTemp() + u("~MCI00001.TMP"));  // left by an earlier run
    QFile earlier(deviceTemp() + u("~MCI00001.TMP"));
    ASSERT_TRUE(earlier.open(QIODevice::ReadWrite));
    earlier.setFileTime(QDateTime::currentDateTime().addDays(-1),
                        QFileDevice::FileModificationTime);
    touch(deviceTemp() + u("~MCI00002.TMP"));
    engine.answer(u("save tavikREC"), {286, {}});
    prepare(Kind::Manual);
    session.SaveManualRecording();
    EXPECT_EQ(saves(), QStringList({save(in("wav0000.wav")), save(in("wav0000-1.wav")),
                                    save(programFolder + u("rescue/wav0000.wav")),
                                    save(deviceTemp() + u("wav0000.wav"))}));
    EXPECT_FALSE(engine.sent.contains(u("close tavikREC wait")));
    EXPECT_TRUE(session.isOpen(Kind::Manual));
    EXPECT_EQ(prompts.asked,
              QStringList(u("message:録音エラー： ") + in("wav0000.wav") +
                          u("\n 録音セーブに失敗しました。\n\n"
                            "録音データは、どのフォルダーにも保存できませんでした。\n"
                            "録音一時ファイルを消さずに残しています☆\n") +
                          deviceTemp() +
                          u("~MCI00002.TMP\n（次の録音準備と終了の時に、もう一度保存します）")));

    // A new recording first saves this one again; while that fails, the device is
    // neither opened again nor closed.
    engine.sent.clear();
    EXPECT_FALSE(session.prepare(Kind::Music));
    EXPECT_EQ(saves().size(), 4);
    EXPECT_TRUE(engine.sent.filter(QRegularExpression(u("^(Open|close tavikREC)"))).isEmpty());
    EXPECT_EQ(prompts.asked.size(), 2);

    engine.answer(u("save tavikREC"), {0, {}});
    engine.sent.clear();
    EXPECT_TRUE(session.prepare(Kind::Music));
    EXPECT_EQ(engine.sent.mid(0, 5),
              QStringList({u("stop tavikREC wait"), save(in("wav0000.wav"))}) + closing());
    EXPECT_EQ(saved, QStringList(u("0:") + in("wav0000.wav") + u(":83456")));
    EXPECT_FALSE(session.isOpen(Kind::Manual));
    EXPECT_TRUE(session.isOpen(Kind::Music));
}

TEST_F(RecordingSessionTest, PlayedMaterialNamesTheRecordingWhenItsSwitchIsOnAndTheNameIsFree) {
    const auto savedAs = [this](Kind kind) {
        prepare(kind);
        end(kind);
        return engine.sent.value(kind == Kind::Manual ? 1 : 3);
    };
    settings.setOn(Setting::MIDIREC, true);
    settings.setOn(Setting::RecodeFn, true);
    session.played().musicFile = u("/music/my.song.mid");
    session.played().trackName = u("AC/DC：Live?");
    EXPECT_EQ(savedAs(Kind::Music), save(in("my.wav")));
    EXPECT_EQ(savedAs(Kind::Cd), save(in("AC_DC：Live_.wav")));
    EXPECT_EQ(savedAs(Kind::Manual), save(in("wav0000.wav")));

    touch(in("my.wav"));
    session.played().trackName = u("--");
    EXPECT_EQ(savedAs(Kind::Music), save(in("wav0000.wav")));
    EXPECT_EQ(savedAs(Kind::Cd), save(in("wav0000.wav")));
    session.played().trackName = u("Intro");
    settings.setOn(Setting::RecodeFn, false);
    EXPECT_EQ(savedAs(Kind::Cd), save(in("wav0000.wav")));
}

TEST_F(RecordingSessionTest, SaveDialogAsksOnlyWhenTheUserNamesFilesAndNobodyIsAway) {
    settings.setOn(Setting::SAVE_NAME, true);
    prompts.names = {in("朝の会議.wav")};
    prompts.whileDialogShown = [this] { EXPECT_EQ(prompts.hourglass, 0); };
    prepare(Kind::Manual);
    session.SaveManualRecording();
    EXPECT_EQ(prompts.hourglass, 0);
    EXPECT_EQ(prompts.asked, QStringList(u("dialog:") + recordingDir.path() + u("|wav0000.wav")));
    EXPECT_EQ(engine.sent.value(1), save(in("朝の会議.wav")));
    EXPECT_EQ(saved.value(0), u("0:") + in("朝の会議.wav") + u(":83456"));
    EXPECT_TRUE(prompts.busyEachTime);
    EXPECT_FALSE(flags.messageBusy);

    struct Case {
        Kind kind;
        bool exitArmed, timerRunning, asks;
    };
    for (const Case& c :
         {Case{Kind::Manual, true, false, false}, Case{Kind::Cd, true, false, false},
          Case{Kind::Manual, false, true, false}, Case{Kind::Music, false, true, true}}) {
        exitArmed = c.exitArmed;
        timerRunning = c.timerRunning;
        prompts.asked.clear();
        prompts.names = {in("named.wav")};
        prepare(c.kind);
        end(c.kind);
        EXPECT_EQ(prompts.asked.size(), c.asks ? 1 : 0)
            << int(c.kind) << c.exitArmed << c.timerRunning;
    }
}

TEST_F(RecordingSessionTest, CancelledDialogAsksToSkipNoShowsItAgainYesSavesNothing) {
    settings.setOn(Setting::SAVE_NAME, true);
    prompts.names = {std::nullopt, in("later.wav"), std::nullopt};
    prompts.answers = {BoxAnswer::No, BoxAnswer::Yes};
    const QString dialog = u("dialog:") + recordingDir.path() + u("|wav0000.wav");
    const QString question =
        u("question:") + in("wav0000.wav") +
        u("\nセーブがキャンセルされました・・・\nセーブしないと、録音データは、失われます・・・\n\n"
          "セーブせずに飛ばしますか？？？");
    prepare(Kind::Manual);
    session.SaveManualRecording();
    EXPECT_EQ(prompts.asked, QStringList({dialog, question, dialog}));
    EXPECT_EQ(engine.sent.value(1), save(in("later.wav")));
    EXPECT_EQ(prompts.defaults, QList<BoxAnswer>({BoxAnswer::No}));

    prompts.asked.clear();
    prepare(Kind::Music);
    session.SaveMusicRecording();
    EXPECT_EQ(prompts.asked, QStringList({dialog, question}));
    EXPECT_EQ(engine.sent.mid(3), closing());
    EXPECT_EQ(saved.size(), 1);
    EXPECT_EQ(session.saveName(Kind::Music), QString());
    EXPECT_FALSE(QFile::exists(templateFile()));
}

TEST_F(RecordingSessionTest, AnEndRequestedWhileTheDialogIsUpLeavesTheRecordingToTheSaveUnderWay) {
    settings.setOn(Setting::SAVE_NAME, true);
    prompts.names = {in("once.wav")};
    prompts.whileDialogShown = [this] {
        if (prompts.asked.size() > 1) return;
        const qsizetype before = engine.sent.size();
        session.SaveManualRecording();
        EXPECT_EQ(engine.sent.size(), before);
    };
    prepare(Kind::Manual);
    session.SaveManualRecording();
    EXPECT_EQ(engine.sent.count(save(in("once.wav"))), 1);
    EXPECT_EQ(saved.size(), 1);
}

TEST_F(RecordingSessionTest, AbandonedStartDeletesTheSlotsFileAndTheTemplate) {
    testMode = true;
    settings.setOn(Setting::RECTESTFILE, true);
    touch(in("wavtest.wav"));
    prepare(Kind::Manual);
    session.abandon(Kind::Manual);
    EXPECT_FALSE(QFile::exists(in("wavtest.wav")));
    EXPECT_FALSE(QFile::exists(templateFile()));
    EXPECT_FALSE(session.isOpen(Kind::Manual));
    EXPECT_TRUE(engine.sent.isEmpty());
}

}  // namespace
}  // namespace sondex
