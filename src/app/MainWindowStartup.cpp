// From an empty window to a ready recorder: the window's creation, the first
// run's questions and the deferred start-up.
#include "app/MainWindow.h"

#include "ui/Commands.h"
#include "core/Logging.h"
#include "core/Settings.h"
#include "ui/dialogs/TMKBoxDlg.h"
#include "cd/CdControlPanel.h"
#include "cd/CdListPanel.h"
#include "files/TDIRSETDLG.h"
#include "music/MusicPanel.h"
#include "platform/AppPaths.h"
#include "platform/JapaneseCalendar.h"
#include "platform/DesktopServices.h"
#include "platform/ListFile.h"
#include "platform/SettingsStore.h"
#include "recording/ManualPanel.h"
#include "core/RecordingController.h"
#include "recording/ManualRecording.h"
#include "timer/TimerPanel.h"
#include "ui/AppIcon.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace sondex {

namespace {

constexpr int kDeferredStartupMs = 300;  // Timer1
constexpr int kFirstRunMs = 500;         // Timer6

const char* const kFirstRunNotice =
    "これより、WAV録音ファイル登録先を選択して戴きます\nここで、設定したフォルダーに録音したWAVファイルが置かれます。\n"
    "たっぷり空きがあるドライブを選択して下さい☆☆☆\n\nなお、メニュー／スタート／録音ファイル登録先にて、\n"
    "いつでも変更できます☆☆☆";
const char* const kClockNotice =
    "パソコンの時計は毎日遅れます・・・\n毎日正確に合わせて下さい☆☆☆\n\n私のパソコンは、毎日６秒遅れます・・・\n"
    "遅れては困るので、３０秒ぐらい進めています☆☆☆\n\n次に表示される時刻設定にて、時間を合わせて下さい☆";

}  // namespace

void MainWindow::createWindow() {
    setWindowIcon(applicationIcon());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    startingUp_ = true;
    PanelOPEN_->setGeometry(client_->rect());
    PanelOPEN_->show();
    PanelOPEN_->raise();
    for (QMenu* menu : {menus_.main.MStart0, menus_.main.MREC0, menus_.main.MOption0, menus_.main.MHelp0})
        menu->menuAction()->setEnabled(false);

    settings_.loadWindowPlacement(store_);
    placeWindow();

    Timer1_->setObjectName(QStringLiteral("Timer1"));
    Timer1_->setSingleShot(true);
    Timer1_->setInterval(kDeferredStartupMs);
    connect(Timer1_, &QTimer::timeout, this, &MainWindow::Timer1Timer);
    Timer6_->setObjectName(QStringLiteral("Timer6"));
    Timer6_->setSingleShot(true);
    Timer6_->setInterval(kFirstRunMs);
    connect(Timer6_, &QTimer::timeout, this, &MainWindow::Timer6Timer);
    // Without a recording folder the first run asks for one before anything else.
    (recordingFolder() == kNoFolderMarker ? Timer6_ : Timer1_)->start();
}

QString MainWindow::recordingFolder() const { return settings_.text(Setting::TEMPALL); }

void MainWindow::Timer6Timer() {
    Timer6_->stop();
    qCInfo(lcStartup) << "first run: asking for the recording folder";
    // Each question waits for the user; a close meanwhile ends the first run there.
    MKBoxDlg1_->MsgBox(QString::fromUtf8(kFirstRunNotice));
    if (closing()) return;
    MTempSetClick();
    if (closing()) return;
    MKBoxDlg1_->TMMsgBox(QString::fromUtf8(kClockNotice), BoxAnswer::Ok);
    if (closing()) return;
    store_.writeText(QStringLiteral("SetNowTime_Select"), QStringLiteral("1"));
    Timer1_->start();
}

void MainWindow::MTempSetClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TDIRSETDLG dialog(*this, this);
    dialog.setStandardColor(settings_.isOn(Setting::BackColor));
    dialog.setTitle(QStringLiteral("録音ファイル登録先"));
    dialog.setDirName(QStringLiteral("TEMPALL"));
    dialog.setDirectory(recordingFolder());
    QApplication::restoreOverrideCursor();
    const QString chosen = dialog.Execute();
    settings_.setText(Setting::TEMPALL, chosen == kNoFolderMarker ? chosen : paths::withTrailingSlash(chosen));
    if (chosen != kNoFolderMarker) showAutomaticSizeReport();
}

void MainWindow::Timer1Timer() {
    Timer1_->stop();
    settings_.loadDeferred(store_);
    applyListColours();
    music_->setBigFont(settings_.isOn(Setting::BIGFONT));
    applyTimeLabelColours();
    applyRepeatColours();
    writeNumberCaptions();
    manualRec_->ShowManualTimer(settings_.number(Setting::SHUDO));
    flags_.breakOff = false;

    fillCdDrives();
    loadLists();
    loadTimerLists();
    setUpTrayIcon();

    if (!settings_.isOn(Setting::STARTMIN)) PanelOPEN_->hide();
    for (QMenu* menu : {menus_.main.MStart0, menus_.main.MREC0, menus_.main.MOption0, menus_.main.MHelp0})
        menu->menuAction()->setEnabled(true);
    startingUp_ = false;
    QApplication::restoreOverrideCursor();

    if (settings_.number(Setting::REC_TXT) != 0) {
        MS_REC_TXTClick();
        settings_.setNumber(Setting::REC_TXT, 0);
    }
    QCoreApplication::processEvents();
    // A close that came in meanwhile has saved; nothing may start after it.
    if (closing()) return;
    applyStartupSwitches();
    setAcceptDrops(true);
    manual_->Label_YoBI->setText(calendar::weekdayLabel(QDate::currentDate()));
    if (settings_.isOn(Setting::STARTMIN) || startupRequest_.T) {
        goToTray();
        PanelOPEN_->hide();
    }
    runAutomaticStart();
    if (!closing()) offerLeftoverRecovery();
    qCInfo(lcStartup) << "start-up finished";
    emit startupFinished();
}

void MainWindow::loadLists() {
    for (RecordingController* controller : controllers_) controller->loadLists();
}

}  // namespace sondex
