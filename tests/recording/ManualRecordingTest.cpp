// The manual recording controller on its own, over a scripted device: the
// exact commands it sends and the decisions of the pause, the resume and the
// manual timer, with no window built.
#include "core/MciChannel.h"
#include "core/RecorderFlags.h"
#include "core/RecordingPrompts.h"
#include "core/RecordingSession.h"
#include "core/Settings.h"
#include "recording/ManualRecording.h"
#include "support/ScriptedEngine.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace sondex {
namespace {

using namespace std::chrono_literals;
using State = ManualRecording::State;

// Every box answers ＯＫ at once; no save dialog.
class QuietPrompts final : public RecordingPrompts {
public:
    BoxAnswer message(const QString& text) override {
        messages.append(text);
        return BoxAnswer::Ok;
    }
    BoxAnswer question(const QString&, BoxAnswer defaultAnswer) override { return defaultAnswer; }
    std::optional<QString> saveName(const QString&, const QString&) override { return std::nullopt; }
    QStringList messages;
};

class ManualRecordingTest : public ::testing::Test {
protected:
    ManualRecordingTest() : settings(programFolder()) {
        settings.setText(Setting::TEMPALL, recordings.path() + u'/');
        engine.answer(QStringLiteral("capability"), {0, QStringLiteral("true")});
        RecordingHooks hooks;
        hooks.onSaved = [this](RecordingKind, const QString& path, int) { saved.append(path); };
        hooks.onManualSaved = [this] { manual().onSaved(); };
        hooks.templateSettle = 0ms;
        session = std::make_unique<RecordingSession>(channel, settings, flags, prompts, programFolder(), hooks);
        ManualRecording::Hooks manualHooks;
        manualHooks.showLog = [this] { ++logsShown; };
        manualHooks.timerRunning = [this] { return timerRunning; };
        manualHooks.timerStart = [this] { ++timerStarts; };
        manualHooks.timerStop = [this] { ++timerStops; };
        manualHooks.exitArmed = [] { return false; };
        manualHooks.openPanel = [] { return true; };
        manualRecording = std::make_unique<ManualRecording>(channel, *session, settings, prompts, flags,
                                                            std::move(manualHooks));
    }

    QString programFolder() const { return program.path() + u'/'; }
    void position(int ms) { engine.answer(QStringLiteral("status tavikREC position"), {0, QString::number(ms)}); }
    // The device's completion notice, as the window passes it on.
    void notice() { manual().onNotice(mci::NotifyAborted, 1); }
    ManualRecording& manual() { return *manualRecording; }
    void started() {
        ASSERT_TRUE(manual().PrepareManualRecording());
        manual().Button18Click();
        engine.sent.clear();
    }
    int saves() const { return static_cast<int>(engine.sent.filter(QStringLiteral("save tavikREC")).size()); }
    int records() const { return static_cast<int>(engine.sent.filter(QStringLiteral("record tavikREC")).size()); }

    QTemporaryDir program;
    QTemporaryDir recordings;
    Settings settings;
    test::ScriptedEngine engine;
    MciChannel channel{engine, [] { QCoreApplication::processEvents(); }};
    RecorderFlags flags;
    QuietPrompts prompts;
    std::unique_ptr<RecordingSession> session;
    std::unique_ptr<ManualRecording> manualRecording;
    QStringList saved;
    int logsShown = 0;
    bool timerRunning = false;
    int timerStarts = 0;
    int timerStops = 0;
};

TEST_F(ManualRecordingTest, PauseThenStopSavesOnceThroughANoticeOfItsOwn) {
    started();
    manual().Button20Click();
    notice();
    EXPECT_EQ(manual().state(), State::Paused);
    manual().Button21Click();  // the device is already stopped: no notice comes
    manual().Timer4Timer();
    QCoreApplication::processEvents();
    EXPECT_EQ(saves(), 1);
    EXPECT_EQ(saved.size(), 1);
    EXPECT_EQ(logsShown, 1);
    EXPECT_EQ(manual().state(), State::Idle);
    EXPECT_FALSE(session->isOpen(RecordingKind::Manual));
}

TEST_F(ManualRecordingTest, AResumeTheDeviceRefusesEndsTheTakeCutShortInsteadOfWaitingForever) {
    started();
    manual().Button20Click();
    notice();
    engine.answer(QStringLiteral("record tavikREC"), {263, QString()});  // the server went away meanwhile
    manual().Button19Click();
    manual().Timer4Timer();
    QCoreApplication::processEvents();
    EXPECT_EQ(saves(), 1);
    EXPECT_EQ(manual().state(), State::Idle);
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_TRUE(prompts.messages.last().contains(QStringLiteral("録音が途中で止まりました")));
}

TEST_F(ManualRecordingTest, ATimerWithoutTheStopOptionPausesAndMovesTheEndMarkOn) {
    manual().ShowManualTimer(60);
    started();
    EXPECT_EQ(manual().endMark(), 60);
    position(60000);
    manual().Timer4Timer();  // the end is reached: the device is stopped
    EXPECT_FALSE(manual().Timer4().isActive());
    notice();
    EXPECT_EQ(manual().state(), State::Paused);
    EXPECT_EQ(manual().endMark(), 120);
    EXPECT_EQ(saves(), 0);
    manual().Button19Click();
    manual().Timer4Timer();
    EXPECT_EQ(records(), 1);
}

TEST_F(ManualRecordingTest, ATimerWithTheStopOptionSavesAtItsEndAndClampsItsSeconds) {
    settings.setNumber(Setting::SHUDOREC_TM_END, 1);
    manual().ShowManualTimer(100000);
    EXPECT_EQ(manual().timerSeconds(), ManualRecording::kMaxTimerSeconds);
    manual().ShowManualTimer(60);
    timerRunning = true;
    started();
    position(60000);
    manual().Timer4Timer();
    // Stopped, the device no longer counts a start-up gap that was still open.
    position(59994);
    notice();
    EXPECT_EQ(saves(), 1);
    EXPECT_EQ(manual().state(), State::Idle);
    EXPECT_EQ(manual().shownSeconds(), 0);  // back to 0 once saved
    // The time-of-day timer goes on to its next entry.
    EXPECT_EQ(timerStarts, 1);
    EXPECT_EQ(timerStops, 0);
}

TEST_F(ManualRecordingTest, ADeviceFailureEndsTheTakeWhateverWasAskedSaysWhyAndSavesIt) {
    for (const bool pauseAsked : {false, true}) {
        started();
        prompts.messages.clear();
        if (pauseAsked) manual().Button20Click();  // the failure's notice comes before the pause's
        manual().onNotice(mci::NotifyFailure, 1);
        EXPECT_EQ(prompts.messages,
                  QStringList(QStringLiteral(
                      "録音エラー：\n 録音が途中で止まりました。\n"
                      " サウンドサーバーが止まったか、一時ファイルに書き込めなくなりました。\n"
                      " ここまでの録音は保存します。")));
        EXPECT_EQ(saves(), 1);
        EXPECT_EQ(manual().state(), State::Idle);
        EXPECT_FALSE(manual().Timer4().isActive());
    }
    EXPECT_EQ(saved.size(), 2);
}

TEST_F(ManualRecordingTest, AFailedStartClosesTheDeviceAndCleansUp) {
    engine.answer(QStringLiteral("record tavikREC"), {263, QString()});
    ASSERT_TRUE(manual().PrepareManualRecording());
    engine.sent.clear();
    manual().Button18Click();
    EXPECT_EQ(engine.sent, QStringList({QStringLiteral("record tavikREC Notify"), QStringLiteral("stop tavikREC wait"),
                                        QStringLiteral("close tavikREC wait")}));
    EXPECT_EQ(prompts.messages, QStringList(QStringLiteral("録音エラー：\n 録音開始に失敗しました。")));
    EXPECT_FALSE(session->isOpen(RecordingKind::Manual));
    EXPECT_FALSE(QFile::exists(programFolder() + QStringLiteral("sondex.wav")));
    EXPECT_EQ(manual().state(), State::Idle);
    EXPECT_FALSE(manual().Timer4().isActive());
}

TEST_F(ManualRecordingTest, AForwardedStartPreparesStartsThenResumesAndAStartUpOneOnlyStarts) {
    SwitchRequest rs;
    rs.RS = true;
    manual().applySwitches(rs, SwitchSource::StartUp);  // the start-up's /RS is the automatic start's
    EXPECT_EQ(manual().state(), State::Idle);
    manual().applySwitches(rs, SwitchSource::Forwarded);
    EXPECT_EQ(manual().state(), State::Recording);
    manual().Button20Click();
    notice();
    manual().applySwitches(rs, SwitchSource::Forwarded);
    EXPECT_EQ(manual().request(), ManualRecording::Request::Resume);
}

}  // namespace
}  // namespace sondex
