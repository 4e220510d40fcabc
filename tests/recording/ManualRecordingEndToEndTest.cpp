// The whole manual recording through the real window, the real device engine
// and a private sound server playing a tone: prepare, start, pause, resume,
// stop, and the saved file, the log and the template afterwards.
#include "app/Identity.h"
#include "app/MainWindow.h"
#include "app/NoticeRelay.h"
#include "app/NoticeRouting.h"
#include "app/Settings.h"
#include "app/WindowMessages.h"
#include "platform/IniSettingsStore.h"
#include "platform/mci/Engine.h"
#include "recording/ManualPanel.h"
#include "recording/ManualRecording.h"
#include "recording/MciChannel.h"
#include "recording/RecordingLog.h"
#include "recording/RecordingSession.h"
#include "support/FakeDesktop.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/TonePlayer.h"
#include "support/pulse/WavFacts.h"

#include <QDeadlineTimer>
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

TEST(ManualRecordingEndToEndTest, StartPauseResumeStopSavesBothPartsAndLogsThem) {
    test::PrivatePulseServer server;
    ASSERT_TRUE(server.start()) << server.failure().toStdString();
    server.applyToThisProcess();
    test::TonePlayer tone(server, kToneHz, kToneAmplitude, 30);
    ASSERT_TRUE(tone.start());

    QTemporaryDir recordings;
    const Identity identity = Identity::forThisUser();
    IniSettingsStore store(recordings.filePath(QStringLiteral("SONDEX.ini")));
    store.writeTexts({{QStringLiteral("Version"), QStringLiteral("22")},
                      {QStringLiteral("TEMPALL"), recordings.path()},
                      {QStringLiteral("No_Memo"), QStringLiteral("1")}});
    Settings settings(identity.ProgramFolder);
    test::FakeDesktop desktop;
    test::FakePowerOff powerOff;
    mci::Engine engine;
    MciChannel channel(engine, [] { QCoreApplication::processEvents(); });
    MainWindow window(identity, settings, store, {desktop, powerOff, channel});
    NoticeRelay sub0(QStringLiteral("TTAVIK_SONDEX_SUB0"), msg::MusicNotice);
    NoticeRelay sub1(QStringLiteral("TTAVIK_SONDEX_SUB1"), msg::CdNotice);
    routeDeviceNotices(channel, window,
                       [&window](qint64 w, qint64 l) { window.onDeviceNotice(msg::MM_MCINOTIFY, w, l); }, sub0, sub1);
    window.show();
    QSignalSpy ready(&window, &MainWindow::startupFinished);
    ASSERT_TRUE(ready.wait(5000));

    window.K1Click();
    window.Button23Click();
    auto* panel = window.findChild<ManualPanel*>(QStringLiteral("Panel6"));
    ManualRecording& manual = window.manualRecording();
    const QString templ = identity.ProgramFolder + QStringLiteral("sondex.wav");

    panel->Button1->click();  // 手動録音準備
    ASSERT_TRUE(window.session().isOpen(RecordingKind::Manual));
    ASSERT_TRUE(QFile::exists(templ));

    QElapsedTimer part;
    part.start();
    panel->Button18->click();  // 録音開始
    spinFor(1500);
    window.findChild<QPushButton*>(QStringLiteral("Button20"))->click();  // 一時停止
    qint64 recorded = part.elapsed();
    ASSERT_TRUE(spinUntil([&] { return manual.isPaused(); }));
    spinFor(700);  // paused: nothing is recorded
    window.findChild<QPushButton*>(QStringLiteral("Button19"))->click();  // 再開
    ASSERT_TRUE(spinUntil([&] { return !manual.isPaused(); }));
    part.restart();
    spinFor(1500);
    window.findChild<QPushButton*>(QStringLiteral("Button21"))->click();  // 停止
    recorded += part.elapsed();
    ASSERT_TRUE(spinUntil([&] { return !window.session().isOpen(RecordingKind::Manual); }));

    const QString saved = recordings.filePath(QStringLiteral("wav0000.wav"));
    const test::WavFacts facts = test::readWavFacts(saved);
    ASSERT_TRUE(facts.readable);
    EXPECT_EQ(facts.sampleRate, 44100);
    EXPECT_EQ(facts.channels, 2);
    EXPECT_EQ(facts.bitsPerSample, 16);
    EXPECT_NEAR(facts.seconds(), recorded / 1000.0, 0.2);
    for (const qint64 from : {qint64(4410), facts.frames - 26460}) {
        const test::ToneMeasure measure = test::measureTone(saved, from, 22050);
        EXPECT_NEAR(measure.frequency, kToneHz, 15);
        EXPECT_NEAR(measure.rms, kToneAmplitude / std::sqrt(2.0), 0.05);
    }
    EXPECT_FALSE(QFile::exists(templ));

    ASSERT_EQ(window.recordingLog().lines().size(), 1);
    const QString line = window.recordingLog().lines().first();
    EXPECT_TRUE(line.startsWith(QStringLiteral("44S16"))) << qPrintable(line);
    EXPECT_TRUE(line.contains(QStringLiteral(" wav0000.wav ") + recordings.path() + u'/')) << qPrintable(line);
    channel.SendRecWait(QStringLiteral("close tavikREC"));
}

}  // namespace
}  // namespace sondex
