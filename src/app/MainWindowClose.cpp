// Ending the program in order, and the two end-of-run actions that make
// unattended recording possible: exit after recording and power-off.
#include "app/MainWindow.h"

#include "ui/Commands.h"
#include "core/Settings.h"
#include "ui/dialogs/TMKBoxDlg.h"
#include "cd/CdListPanel.h"
#include "music/MusicPanel.h"
#include "platform/DesktopServices.h"
#include "platform/ListFile.h"
#include "platform/PowerOff.h"
#include "platform/SettingsStore.h"
#include "core/RecordingController.h"
#include "recording/ManualPanel.h"
#include "core/MciChannel.h"
#include "core/RecordingLog.h"
#include "core/RecordingSession.h"
#include "timer/TimeOfDayTimer.h"
#include "timer/TimerPanel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QTimer>
#include <QListWidget>

namespace sondex {

namespace {

void closeOpenDialogs() {
    // The boxes and dialogs are windows of their own.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(window);
        if (dialog && dialog->isVisible()) dialog->done(code(BoxAnswer::Closed));
    }
}

}  // namespace

void MainWindow::MF_AUTO_OFFClick() {
    // The command's check mark has already flipped.
    if (!menus_.main.MF_AUTO_OFF->isChecked()) menus_.main.MF_AUTO_OFF_WIN->setChecked(false);
    applyWindowColour();
    applyListColours();
    update();
}

void MainWindow::MF_AUTO_OFF_WINClick() {
    if (!menus_.main.MF_AUTO_OFF_WIN->isChecked()) return;
    // Powering off implies exiting: arm the exit through its own command.
    menus_.main.MF_AUTO_OFF->setChecked(false);
    menus_.main.MF_AUTO_OFF->trigger();
}

bool MainWindow::CloseAfterRecording() {
    if (!menus_.main.MF_AUTO_OFF->isChecked()) return false;
    settings_.setNumber(Setting::REC_TXT, 1);  // show the log at the next start instead
    if (menus_.main.MF_AUTO_OFF_WIN->isChecked()) powerOffAfterClose_ = true;
    requestClose();
    return true;
}

bool MainWindow::requestClose() {
    if (closeInProgress_ && !closeDone_) {
        desktop_.beep();
        return false;
    }
    return close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closeQuery()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool MainWindow::closeQuery() {
    flags_.breakOff = true;
    if (closeDone_) return true;
    QCoreApplication::processEvents();
    if (startingUp_) {
        abandonStartup();
        return true;
    }
    if (closeInProgress_) {
        desktop_.beep();
        return false;
    }
    closeInProgress_ = true;
    // Saving a timer take ends it, and its end stops the timer; the next start
    // resumes the timer as the user left it.
    timerRunStateAtClose_ = timerRun_->view().runText;
    QCoreApplication::processEvents();
    setAcceptDrops(false);

    // Every step up to the settings stops at the first failure; the close goes on regardless.
    const bool saved = [this] {
        flags_.breakOff = true;
        if (!stopAndSaveRecordings()) return false;
        channel_.close();
        QCoreApplication::processEvents();
        removeTrayIcon();
        QCoreApplication::processEvents();
        if (!log_->lines().isEmpty()) {
            MKIROKUClick(LogSender::MainWindow);
            log_->clear();
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        saveLists();
        writeBack();
        QApplication::restoreOverrideCursor();
        return true;
    }();
    if (!saved) closeInProgress_ = false;

    closeDone_ = true;
    QCoreApplication::processEvents();
    // The power-off, when armed, follows once the window has gone; then the program ends.
    QMetaObject::invokeMethod(this, &MainWindow::finishClose, Qt::QueuedConnection);
    return true;
}

bool MainWindow::stopAndSaveRecordings() {
    for (RecordingController* controller : controllers_) controller->saveRunning();
    return true;
}

void MainWindow::saveLists() {
    for (RecordingController* controller : controllers_) controller->saveLists();
    storeTimerLists();
}

void MainWindow::writeBack() {
    settings_.setText(Setting::FP, QStringLiteral("%1,%2").arg(x()).arg(y()));
    settings_.setNumber(Setting::MIDI_DISP, Panel2_->isVisibleTo(this) ? 1 : 0);
    settings_.setNumber(Setting::Shudo_DISP, manual_->isVisibleTo(this) ? 1 : 0);
    settings_.writeBack(store_);  // a failure is swallowed: the close goes on
}

void MainWindow::abandonStartup() {
    // Nothing is saved, and nothing of the start-up may run on in a window
    // nobody sees: its timers stop, its open questions close, the program ends.
    closeDone_ = true;
    Timer1_->stop();
    Timer6_->stop();
    closeOpenDialogs();
    QApplication::restoreOverrideCursor();  // the start-up's hourglass
    QMetaObject::invokeMethod(this, &MainWindow::finishClose, Qt::QueuedConnection);
}

void MainWindow::finishClose() {
    // A dialog left open (the clock dialog at the end of the start-up, with
    // nobody there while the timer records) ends with the window, so that the
    // code waiting on it returns.
    closeOpenDialogs();
    if (powerOffAfterClose_) powerOffMachine();
    emit closed();
}

void MainWindow::powerOffMachine() {
    const BoxAnswer answer = MKBoxDlg1_->ERMsgBox(
        QStringLiteral("SONDEXを終了しました。\nこれより、ＷＩＮを終了します。\nお疲れ様☆☆☆"), BoxAnswer::Ok);
    if (answer == BoxAnswer::Abort) return;
    const PowerOff::Result result = powerOff_.powerOff();
    if (result.ok) return;
    const QString failure = QStringLiteral("シャットダウン失敗");
    MKBoxDlg1_->TMMsgBox(result.permissionDenied
                             ? failure + QStringLiteral("\nシャットダウンの権限がありません")
                             : QStringLiteral("%1\n  ErrorCode = %2").arg(failure).arg(result.errorCode),
                         BoxAnswer::Ok);
}

}  // namespace sondex
