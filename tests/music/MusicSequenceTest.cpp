// The music sequence over a scripted music device whose plays end when the
// test says so (or when they are stopped): what an entry shows, how a failed
// one is reported, pause and its resume position, the intro (a stop while
// paused is the frame's, checked on the CD sequence).
#include "core/MciChannel.h"
#include "core/RecorderFlags.h"
#include "core/RecordingPrompts.h"
#include "core/RecordingSession.h"
#include "core/Settings.h"
#include "core/WindowMessages.h"
#include "music/MusicRecording.h"
#include "support/PlayingDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace sondex {
namespace {

class NotedPrompts final : public RecordingPrompts {
public:
    BoxAnswer message(const QString& text) override {
        texts.append(text);
        return BoxAnswer::Ok;
    }
    BoxAnswer question(const QString& text, BoxAnswer answer) override {
        texts.append(text);
        return answer;
    }
    std::optional<QString> saveName(const QString&, const QString&) override { return std::nullopt; }
    QStringList texts;
};

class MusicSequenceTest : public ::testing::Test {
protected:
    MusicSequenceTest() {
        settings.setText(Setting::TEMPALL, folder.path() + u'/');
        settings.setNumber(Setting::BufCount, 4);
        answer("status TavikMID length wait", "200000");
        at("0");
        answer("status tavikMID samplespersec wait", "44100");
        answer("status tavikMID bitspersample wait", "16");
        answer("status tavikMID channels wait", "2");
        answer("capability tavikREC", "true");
        answer("status tavikREC position wait", "1500");
        channel.setNoticeTarget(Alias::Mid, {&receiver, [this](qint64 code, qint64 id) {
                                                 music.onDeviceNotice(msg::MusicNotice, code, id);
                                             }});
        music.list().append({QStringLiteral("/m/a.mid"), QStringLiteral("/m/b.wav")});
        music.list().setCurrent(0);
    }

    void answer(const char* command, const char* reply, int result = 0) {
        device.script.answer(QString::fromUtf8(command), {result, QString::fromUtf8(reply)});
    }
    void at(const char* ms) { answer("status tavikMID position wait", ms); }
    void settle() {
        for (int k = 0; k < 20; ++k) QCoreApplication::processEvents();
    }
    QString lastOpen() const {
        const QStringList opens = device.script.sent.filter(QStringLiteral("alias tavikMID"));
        return opens.isEmpty() ? QString() : opens.constLast();
    }

    QTemporaryDir folder;
    Settings settings{QDir::tempPath() + u'/'};
    test::PlayingDevice device{QStringLiteral("tavikMID")};
    MciChannel channel{device, [] {}};
    QObject receiver;
    RecorderFlags flags;
    NotedPrompts prompts;
    RecordingSession session{channel, settings, flags, prompts, folder.path() + u'/',
                             RecordingHooks{{}, {}, {}, {}, {}, std::chrono::milliseconds(0)}};
    int logsShown = 0;
    bool areaOpens = true;
    MusicRecording music{channel, session, settings, prompts, flags, folder.filePath(QStringLiteral("SONDEXMI.LIS")),
                         MusicRecording::Hooks{[] {}, [this] { ++logsShown; }, {}, {}, {}, [this] { return areaOpens; }}};
};

TEST_F(MusicSequenceTest, AFileTheDeviceCannotOpenIsReportedAndAWavEntryShowsItsFormat) {
    answer("Open \"/m/a.mid\"", "", 263);
    music.Button24Click();
    settle();
    EXPECT_EQ(prompts.texts, QStringList{QStringLiteral("再生エラー：/m/a.mid\n オープンに失敗しました。")});
    EXPECT_EQ(lastOpen(), QStringLiteral("Open \"/m/b.wav\" alias tavikMID buffer 4 wait"));
    const MusicPlayLabels& shown = music.labels();
    EXPECT_EQ(QStringList({shown.rate, shown.bits, shown.channels, shown.end}),
              QStringList({QStringLiteral("44100"), QStringLiteral("16"), QStringLiteral("stereo"), QStringLiteral("200")}));
    EXPECT_EQ(device.script.sent.constLast(), QStringLiteral("play tavikMID notify"));

    answer("Open \"/m/a.mid\"", "");
    music.Button27Click();  // skip on the last entry wraps to the first
    settle();
    EXPECT_EQ(lastOpen(), QStringLiteral("Open \"/m/a.mid\" alias tavikMID wait"));
    EXPECT_TRUE(music.labels().rate.isEmpty() && music.labels().channels.isEmpty()) << "a MIDI entry has no format";
}

TEST_F(MusicSequenceTest, PauseAt100SecondsTwoMinutesBackResumesAtZero) {
    music.setRecordArmed(true);
    music.Button24Click();
    settle();
    at("100400");
    music.Timer8Timer();
    EXPECT_EQ(music.labels().position, QStringLiteral("100"));
    music.Button25Click();
    settle();
    ASSERT_TRUE(music.isPaused());
    EXPECT_EQ(music.labels().position, QStringLiteral("     100.0"));
    music.moveResumePosition(-60000);
    music.moveResumePosition(-60000);
    EXPECT_EQ(music.labels().position, QStringLiteral("       0.0"));
    music.Button29Click();
    music.Timer8Timer();
    EXPECT_FALSE(music.isPaused());
    const QStringList last = device.script.sent.mid(device.script.sent.size() - 3);
    EXPECT_EQ(last, (QStringList{QStringLiteral("seek tavikMID to 0 wait"), QStringLiteral("record tavikREC"),
                                 QStringLiteral("play tavikMID notify")}));
}

// Whoever records "the first 30 seconds of each file" expects each take to end there.
TEST_F(MusicSequenceTest, TheIntroEndsEachEntryAtItsEnd) {
    settings.setNumber(Setting::INTORO, 30);
    music.Button24Click();
    settle();
    EXPECT_EQ(music.labels().end, QStringLiteral("30"));
    at("29900");
    music.Timer8Timer();
    EXPECT_NE(device.script.sent.constLast(), QStringLiteral("stop tavikMID wait"));
    at("30000");
    music.Timer8Timer();
    EXPECT_EQ(device.script.sent.constLast(), QStringLiteral("stop tavikMID wait"));
    settle();
    EXPECT_EQ(lastOpen(), QStringLiteral("Open \"/m/b.wav\" alias tavikMID buffer 4 wait")) << "and the next plays";
}

TEST_F(MusicSequenceTest, FilesFromAForwardedLineJoinTheListAndPlayUnlessTheLineStartsSomethingElse) {
    SwitchRequest line;
    line.paths = {QStringLiteral("/m/c.au")};
    line.PC = true;
    music.applySwitches(line, SwitchSource::Forwarded);
    EXPECT_EQ(music.list().paths().size(), 3);
    EXPECT_FALSE(music.isPlaying()) << "CD play comes first";

    line.PC = false;
    areaOpens = false;  // a CD recording holds the window
    music.applySwitches(line, SwitchSource::Dropped);
    EXPECT_FALSE(music.isPlaying());

    areaOpens = true;
    music.applySwitches(line, SwitchSource::Forwarded);
    settle();
    EXPECT_TRUE(music.isPlaying());
    EXPECT_EQ(lastOpen(), QStringLiteral("Open \"/m/c.au\" alias tavikMID wait"));
}

}  // namespace
}  // namespace sondex
