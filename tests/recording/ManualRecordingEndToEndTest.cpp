// The whole manual recording through the real window, the real device engine
// and a private sound server playing a tone: prepare, start, pause, resume,
// stop, and the saved file, the log and the template afterwards.
#include "core/Identity.h"
#include "app/MainWindow.h"
#include "core/NoticeRelay.h"
#include "core/NoticeRouting.h"
#include "core/Settings.h"
#include "core/WindowMessages.h"
#include "ui/dialogs/TMKBoxDlg.h"
#include "platform/IniSettingsStore.h"
#include "platform/mci/Engine.h"
#include "recording/ManualPanel.h"
#include "recording/ManualRecording.h"
#include "core/MciChannel.h"
#include "core/RecordingLog.h"
#include "core/RecordingSession.h"
#include "support/FakeDesktop.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/TonePlayer.h"
#include "support/pulse/WavFacts.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace sondex {
namespace {

constexpr double kToneHz = 1000;
constexpr double kToneAmplitude = 0.5;

void spinFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool spinUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void expectTone(const QString& path, qint64 from) {
    const test::ToneMeasure measure = test::measureTone(path, from, 22050);
    EXPECT_NEAR(measure.frequency, kToneHz, 15);
    EXPECT_NEAR(measure.rms, kToneAmplitude / std::sqrt(2.0), 0.05);
}

// The real window on the real engine, hearing a tone, with the manual panel open.
class ManualRecordingEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.start()) << server.failure().toStdString();
        server.applyToThisProcess();
        ASSERT_TRUE(tone.start());
        store.writeTexts({{QStringLiteral("Version"), QStringLiteral("22")},
                          {QStringLiteral("TEMPALL"), recordings.path()},
                          {QStringLiteral("No_Memo"), QStringLiteral("1")}});
        windowPtr = std::make_unique<MainWindow>(identity, settings, store, WindowServices{desktop, powerOff, channel});
        routeDeviceNotices(channel, *windowPtr,
                           [this](qint64 w, qint64 l) { windowPtr->onDeviceNotice(msg::MM_MCINOTIFY, w, l); }, sub0,
                           sub1);
        windowPtr->MKBoxDlg1().setErTimerCount(1);
        windowPtr->show();
        QSignalSpy ready(windowPtr.get(), &MainWindow::startupFinished);
        ASSERT_TRUE(ready.wait(5000));
        windowPtr->K1Click();
        windowPtr->Button23Click();
        panel = windowPtr->findChild<ManualPanel*>(QStringLiteral("Panel6"));
    }
    void TearDown() override { channel.SendRecWait(QStringLiteral("close tavikREC")); }

    void click(const char* name) { windowPtr->findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
    bool ended() { return spinUntil([this] { return !windowPtr->session().isOpen(RecordingKind::Manual); }); }

    test::PrivatePulseServer server;
    test::TonePlayer tone{server, kToneHz, kToneAmplitude, 30};
    QTemporaryDir recordings;
    const Identity identity = Identity::forThisUser();
    IniSettingsStore store{recordings.filePath(QStringLiteral("SONDEX.ini"))};
    Settings settings{identity.ProgramFolder};
    test::FakeDesktop desktop;
    test::FakePowerOff powerOff;
    mci::Engine engine;
    MciChannel channel{engine, [] { QCoreApplication::processEvents(); }};
    std::unique_ptr<MainWindow> windowPtr;
    NoticeRelay sub0{QStringLiteral("TTAVIK_SONDEX_SUB0"), msg::MusicNotice};
    NoticeRelay sub1{QStringLiteral("TTAVIK_SONDEX_SUB1"), msg::CdNotice};
    ManualPanel* panel = nullptr;
};

TEST_F(ManualRecordingEndToEndTest, StartPauseResumeStopSavesBothPartsAndLogsThem) {
    ManualRecording& manual = windowPtr->manualRecording();
    const QString templ = identity.ProgramFolder + QStringLiteral("sondex.wav");

    panel->Button1->click();  // 手動録音準備
    ASSERT_TRUE(windowPtr->session().isOpen(RecordingKind::Manual));
    ASSERT_TRUE(QFile::exists(templ));

    QElapsedTimer part;
    part.start();
    panel->Button18->click();  // 録音開始
    spinFor(1500);
    click("Button20");  // 一時停止
    qint64 recorded = part.elapsed();
    ASSERT_TRUE(spinUntil([&] { return manual.isPaused(); }));
    spinFor(700);  // paused: nothing is recorded
    click("Button19");  // 再開
    ASSERT_TRUE(spinUntil([&] { return !manual.isPaused(); }));
    part.restart();
    spinFor(1500);
    click("Button21");  // 停止
    recorded += part.elapsed();
    ASSERT_TRUE(ended());

    const QString saved = recordings.filePath(QStringLiteral("wav0000.wav"));
    const test::WavFacts facts = test::readWavFacts(saved);
    ASSERT_TRUE(facts.readable);
    EXPECT_EQ(facts.sampleRate, 44100);
    EXPECT_EQ(facts.channels, 2);
    EXPECT_EQ(facts.bitsPerSample, 16);
    EXPECT_NEAR(facts.seconds(), recorded / 1000.0, 0.2);
    expectTone(saved, 4410);
    expectTone(saved, facts.frames - 26460);
    EXPECT_FALSE(QFile::exists(templ));

    ASSERT_EQ(windowPtr->recordingLog().lines().size(), 1);
    const QString line = windowPtr->recordingLog().lines().first();
    EXPECT_TRUE(line.startsWith(QStringLiteral("44S16"))) << qPrintable(line);
    EXPECT_TRUE(line.contains(QStringLiteral(" wav0000.wav ") + recordings.path() + u'/')) << qPrintable(line);
}

TEST_F(ManualRecordingEndToEndTest, ARecordingFolderThatVanishedDoesNotLoseTheRecording) {
    panel->Button1->click();
    panel->Button18->click();
    spinFor(1200);
    ASSERT_TRUE(QDir(recordings.path()).removeRecursively());
    click("Button21");  // the failure message times out by itself
    ASSERT_TRUE(ended());
    const QString rescued = identity.ProgramFolder + QStringLiteral("rescue/wav0000.wav");
    const test::WavFacts facts = test::readWavFacts(rescued);
    ASSERT_TRUE(facts.readable);
    EXPECT_NEAR(facts.seconds(), 1.2, 0.3);
    expectTone(rescued, 4410);
    EXPECT_TRUE(windowPtr->recordingLog().lines().isEmpty());
}

}  // namespace
}  // namespace sondex
