// The manual recording as the window composes it, against a scripted device:
// the panel and menus showing its state, command lines, the end-of-run exit.
#include "ui/Commands.h"
#include "core/Identity.h"
#include "app/MainWindow.h"
#include "core/Settings.h"
#include "core/WindowMessages.h"
#include "ui/dialogs/TMKBoxDlg.h"
#include "platform/IniSettingsStore.h"
#include "recording/ManualPanel.h"
#include "recording/ManualRecording.h"
#include "core/RecordingLog.h"
#include "core/RecordingSession.h"
#include "support/WindowRig.h"
#include "support/QuietSettings.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace sondex {
namespace {

class ManualRecordingWindowTest : public ::testing::Test {
protected:
    ManualRecordingWindowTest()
        : identity(Identity::forThisUser()),
          store(folder.filePath(QStringLiteral("SONDEX.ini"))),
          settings(identity.ProgramFolder) {
        test::writeQuietSettings(store, folder.path() + u'/',
                                 {{QStringLiteral("No_Memo"), QStringLiteral("1")}});
        rig.engine.answer(QStringLiteral("capability"), {0, QStringLiteral("true")});
        window = std::make_unique<MainWindow>(identity, settings, store, rig.services());
        window->MKBoxDlg1().setTimerCount(1);
        window->MKBoxDlg1().setErTimerCount(1);
        window->show();
        QSignalSpy ready(window.get(), &MainWindow::startupFinished);
        EXPECT_TRUE(ready.wait(5000));
        window->K1Click();
        window->Button23Click();
    }

    ManualRecording& manual() { return window->manualRecording(); }
    ManualPanel& panel() { return *window->findChild<ManualPanel*>(QStringLiteral("Panel6")); }
    void position(int ms) { rig.engine.answer(QStringLiteral("status tavikREC position"), {0, QString::number(ms)}); }
    void notice() { window->onDeviceNotice(msg::MM_MCINOTIFY, 4, 1); }

    // Prepared and started; the log of commands starts empty.
    void started() {
        ASSERT_TRUE(manual().PrepareManualRecording());
        manual().Button18Click();
        rig.engine.sent.clear();
    }

    QString wav0000() const { return folder.path() + QStringLiteral("/wav0000.wav"); }

    QTemporaryDir folder;
    Identity identity;
    IniSettingsStore store;
    Settings settings;
    test::WindowRig rig;
    std::unique_ptr<MainWindow> window;
};

TEST_F(ManualRecordingWindowTest, ARecordingWithoutPausesSendsTheLifecycleInOrder) {
    ASSERT_TRUE(manual().PrepareManualRecording());
    const QString templ = identity.ProgramFolder + QStringLiteral("sondex.wav");
    EXPECT_TRUE(QFile::exists(templ));
    EXPECT_FALSE(panel().Button1->isEnabled());
    EXPECT_TRUE(panel().Button18->isEnabled());
    manual().Button18Click();
    EXPECT_TRUE(manual().Timer4().isActive());
    position(2000);
    manual().Timer4Timer();
    EXPECT_EQ(panel().Label11->text(), QStringLiteral("2"));
    manual().Button21Click();
    notice();

    EXPECT_EQ(rig.engine.sent,
              QStringList({QStringLiteral("Open \"") + templ + QStringLiteral("\" alias tavikREC buffer 6 wait"),
                           QStringLiteral("capability tavikREC can record wait"),
                           QStringLiteral("capability tavikREC can save wait"),
                           QStringLiteral("record tavikREC Notify"),
                           QStringLiteral("status tavikREC position wait"),
                           QStringLiteral("stop tavikREC wait"),
                           QStringLiteral("status tavikREC position wait"),
                           QStringLiteral("stop tavikREC wait"),
                           QStringLiteral("save tavikREC \"") + wav0000() + QStringLiteral("\" wait"),
                           QStringLiteral("status tavikREC position wait"),
                           QStringLiteral("stop tavikREC wait"),
                           QStringLiteral("close tavikREC wait")}));
    EXPECT_FALSE(QFile::exists(templ));
    EXPECT_TRUE(panel().Button1->isEnabled());
    EXPECT_FALSE(panel().Panel3->isVisible());
    ASSERT_EQ(window->recordingLog().lines().size(), 1);
    EXPECT_TRUE(window->recordingLog().lines().first().startsWith(wav0000()));  // short line: nothing was saved
}

TEST_F(ManualRecordingWindowTest, ATimerSetDuringTheRecordingCountsFromWhatIsRecorded) {
    started();
    position(30000);
    manual().Timer4Timer();
    manual().ShowManualTimer(45);
    EXPECT_EQ(manual().endMark(), 75);
    EXPECT_EQ(panel().Label9->text(), QStringLiteral("録音"));
    manual().ShowManualTimer(0);
    EXPECT_EQ(window->commands()["MSHUDO"]->text(), QStringLiteral("手動録音タイマー ＯＦＦ"));
    EXPECT_EQ(panel().Label9->text(), QStringLiteral("録音時間"));
    EXPECT_FALSE(window->commands()["MO_SHUDOREC_TM_END"]->isEnabled());
}

TEST_F(ManualRecordingWindowTest, AForwardedRsStartsARecordingWithItsTimerAndStopOption) {
    window->Button22Click();
    window->onForwardedLine(QStringLiteral("/RS?/J100000?/E"));
    EXPECT_TRUE(window->session().isOpen(RecordingKind::Manual));
    EXPECT_EQ(rig.engine.sent.filter(QStringLiteral("record tavikREC Notify")).size(), 1);
    EXPECT_EQ(settings.number(Setting::SHUDO), 90000);  // the number dialog would stop at 32700
    EXPECT_TRUE(window->commands()["MO_SHUDOREC_TM_END"]->isChecked());
}

TEST_F(ManualRecordingWindowTest, ClosingThePanelWhilePausedSavesLogsAndRunsTheArmedExit) {
    window->commands()["MF_AUTO_OFF"]->trigger();
    started();
    manual().Button20Click();
    notice();
    ASSERT_TRUE(manual().isPaused());
    QSignalSpy closed(window.get(), &MainWindow::closed);
    window->Button22Click();  // hides the panel, and with it the pause buttons
    EXPECT_FALSE(panel().isVisible());
    manual().Timer4Timer();
    EXPECT_TRUE(closed.wait(5000));
    EXPECT_EQ(rig.engine.sent.filter(QStringLiteral("save tavikREC")).size(), 1);
    EXPECT_EQ(settings.number(Setting::REC_TXT), 1);  // the log is shown again at the next start
    QFile log(identity.ProgramFolder + QStringLiteral("録音$$$$.TXT"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(wav0000()));
}

TEST_F(ManualRecordingWindowTest, ClosingTheMusicAreaStopsTheManualRecordingOnIt) {
    started();
    window->Button30Click();
    EXPECT_EQ(rig.engine.sent, QStringList(QStringLiteral("stop tavikREC wait")));
    EXPECT_EQ(manual().request(), ManualRecording::Request::Stop);
    notice();
    EXPECT_EQ(rig.engine.sent.filter(QStringLiteral("save tavikREC")).size(), 1);
    EXPECT_EQ(manual().state(), ManualRecording::State::Idle);
}

}  // namespace
}  // namespace sondex
