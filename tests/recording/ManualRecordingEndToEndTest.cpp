// The whole manual recording through the real window, the real device engine
// and a private sound server playing a tone: prepare, start, pause, resume,
// stop, and the saved file, the log and the template afterwards; and takes
// that a full disk cuts short or that no folder will take.
#include "core/Identity.h"
#include "app/MainWindow.h"
#include "core/NoticeRelay.h"
#include "core/NoticeRouting.h"
#include "core/Settings.h"
#include "core/WindowMessages.h"
#include "ui/dialogs/TMKBox.h"
#include "ui/dialogs/TMKBoxDlg.h"
#include "platform/IniSettingsStore.h"
#include "platform/mci/Engine.h"
#include "recording/ManualPanel.h"
#include "recording/ManualRecording.h"
#include "core/MciChannel.h"
#include "core/RecordingLog.h"
#include "core/RecordingSession.h"
#include "support/DialogTestSupport.h"
#include "support/FakeDesktop.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/TonePlayer.h"
#include "support/pulse/WavFacts.h"
#include "support/QuietSettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <cmath>
#include <sys/mount.h>

namespace sondex {
namespace {

constexpr double kToneHz = 1000;
constexpr double kToneAmplitude = 0.5;

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
        test::writeQuietSettings(store, recordings.path(),
                                 {{QStringLiteral("No_Memo"), QStringLiteral("1")}});
        windowPtr = std::make_unique<MainWindow>(identity, settings, store, WindowServices{desktop, powerOff, channel, clock, sleep});
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
    void TearDown() override {
        if (engine) channel.SendRecWait(QStringLiteral("close tavikREC"));
        unmountAll();
        qputenv("TEMP", oldTemp);
    }

    void click(const char* name) { windowPtr->findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
    bool ended(int timeoutMs = 5000) {
        return QTest::qWaitFor([this] { return !windowPtr->session().isOpen(RecordingKind::Manual); },
                         timeoutMs);
    }

    // Puts a tmpfs of the size on the folder, or with no size binds the
    // folder read-only over itself: a real full disk, a real read-only folder.
    bool mount(const QString& folder, qint64 tmpfsBytes = 0) {
        QDir().mkpath(folder);
        const QByteArray path = QFile::encodeName(folder);
        if (tmpfsBytes > 0) {
            const QByteArray size = "size=" + QByteArray::number(tmpfsBytes);
            if (::mount("tmpfs", path.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                        size.constData()) != 0)
                return false;
            mounts.append(path);
            return true;
        }
        if (::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) != 0)
            return false;
        mounts.append(path);
        return ::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                       nullptr) == 0;
    }
    void unmountAll() {
        while (!mounts.isEmpty()) ::umount2(mounts.takeLast().constData(), MNT_DETACH);
    }
    // The device's temporary folder from now on.
    QString temporaryFolder(qint64 tmpfsBytes = 0) {
        const QString folder = scratch.filePath(QStringLiteral("temp"));
        QDir().mkpath(folder);
        if (tmpfsBytes > 0 && !mount(folder, tmpfsBytes)) return QString();
        qputenv("TEMP", QFile::encodeName(folder));
        return folder + u'/';
    }
    static QStringList temporaryFiles(const QString& folder) {
        return QDir(folder).entryList({QStringLiteral("~MCI*.TMP")}, QDir::Files);
    }

    test::PrivatePulseServer server;
    test::TonePlayer tone{server, kToneHz, kToneAmplitude, 30};
    QTemporaryDir recordings;
    const Identity identity = Identity::forThisUser();
    IniSettingsStore store{recordings.filePath(QStringLiteral("SONDEX.ini"))};
    Settings settings{identity.ProgramFolder};
    test::FakeDesktop desktop;
    test::FakePowerOff powerOff;
    test::FakeSystemClock clock;
    test::FakeSleepInhibitor sleep;
    std::unique_ptr<mci::Engine> engine = std::make_unique<mci::Engine>();
    MciChannel channel{*engine, [] { QCoreApplication::processEvents(); }};
    std::unique_ptr<MainWindow> windowPtr;
    NoticeRelay sub0{QStringLiteral("TTAVIK_SONDEX_SUB0"), msg::MusicNotice};
    NoticeRelay sub1{QStringLiteral("TTAVIK_SONDEX_SUB1"), msg::CdNotice};
    ManualPanel* panel = nullptr;
    QTemporaryDir scratch;
    QList<QByteArray> mounts;
    QByteArray oldTemp = qgetenv("TEMP");
    test::BoxTextWatch boxes;
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
    QTest::qWait(1500);
    click("Button20");  // 一時停止
    qint64 recorded = part.elapsed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return manual.isPaused(); }));
    QTest::qWait(700);  // paused: nothing is recorded
    click("Button19");  // 再開
    ASSERT_TRUE(QTest::qWaitFor([&] { return !manual.isPaused(); }));
    part.restart();
    QTest::qWait(1500);
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

TEST_F(ManualRecordingEndToEndTest, ATakeAFullDiskCutsShortIsKeptWhenBothFoldersTurnedReadOnly) {
    const QString temp = temporaryFolder(512 * 1024);
    if (temp.isEmpty()) GTEST_SKIP() << "cannot mount tmpfs";
    panel->Button1->click();
    panel->Button18->click();
    QTest::qWait(1000);
    ASSERT_TRUE(mount(recordings.path()) && mount(identity.ProgramFolder));
    // The disk fills after about three seconds; each box times out by itself.
    ASSERT_TRUE(ended(15000));

    const QString rescued = temp + QStringLiteral("wav0000.wav");
    ASSERT_EQ(boxes.texts.size(), 2);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("録音エラー：\n 録音が途中で止まりました。\n "
                                             "一時フォルダーの空き容量がなくなりました。\n ") +
                                  temp + QStringLiteral("\n ここまでの録音は保存します。"));
    // The failed save's whole text is the recording session tests' to check.
    EXPECT_TRUE(boxes.texts[1].endsWith(rescued + QStringLiteral("\n（一時フォルダーです。消される前に移してください）")));
    const test::WavFacts facts = test::readWavFacts(rescued);
    ASSERT_TRUE(facts.readable);
    EXPECT_GT(facts.seconds(), 2.0);
    expectTone(rescued, facts.frames / 2);
    EXPECT_TRUE(temporaryFiles(temp).isEmpty());
    EXPECT_TRUE(windowPtr->recordingLog().lines().isEmpty());
}

TEST_F(ManualRecordingEndToEndTest, ATakeNoFolderTakesStaysInTheOpenDeviceAndOutlivesTheProgram) {
    const QString temp = temporaryFolder();
    panel->Button1->click();
    panel->Button18->click();
    QTest::qWait(1200);
    if (!mount(recordings.path()) || !mount(identity.ProgramFolder) || !mount(temp))
        GTEST_SKIP() << "cannot mount";
    click("Button21");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return windowPtr->manualRecording().state() == ManualRecording::State::Idle; }));

    ASSERT_EQ(temporaryFiles(temp).size(), 1);
    const QString kept = temp + temporaryFiles(temp).first();
    EXPECT_TRUE(windowPtr->session().isOpen(RecordingKind::Manual));
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_TRUE(boxes.texts[0].endsWith(
        QStringLiteral("録音一時ファイルを消さずに残しています☆\n") + kept +
        QStringLiteral("\n（次の録音準備と終了の時に、もう一度保存します）")));

    // The program ends: its close tries once more, and the engine goes with the device still open.
    windowPtr->close();
    EXPECT_EQ(boxes.texts.size(), 2);
    windowPtr.reset();
    unmountAll();  // the file could be deleted now
    engine.reset();
    const test::WavFacts facts = test::readWavFacts(kept);
    ASSERT_TRUE(facts.readable);
    EXPECT_NEAR(facts.seconds(), 1.2, 0.3);
    expectTone(kept, 4410);
}

}  // namespace
}  // namespace sondex
