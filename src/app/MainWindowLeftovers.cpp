// The recording device's leftover temporary files: the commands that show
// and delete them, and the start-up offer to save the takes they hold.
#include "app/MainWindow.h"

#include "core/RecordingController.h"
#include "platform/AppPaths.h"
#include "recording/LeftoverFiles.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFileInfo>

namespace sondex {

void MainWindow::bindLeftoverCommands() {
    const MainMenuCommands& m = menus_.main;
    for (QAction* action : {m.PTEMP, m.PREC_DEL})
        connect(action, &QAction::triggered, this, [this, action] { PTEMPClick(action); });
    for (QAction* action : {m.MR_TMP, m.MR_TMP_DEL})
        connect(action, &QAction::triggered, this, [this, action] { MR_TMPClick(action); });
}

void MainWindow::PTEMPClick(QAction* sender) {
    runLeftoverCommand(leftovers::kTemp, sender == menus_.main.PREC_DEL);
}

void MainWindow::MR_TMPClick(QAction* sender) {
    runLeftoverCommand(leftovers::kTmp, sender == menus_.main.MR_TMP_DEL);
}

void MainWindow::runLeftoverCommand(const leftovers::Variant& variant, bool deleting) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    flags_.messageBusy = true;
    const QString folder = leftovers::variableFolder(variant);
    if (!deleting) {
        MKBoxDlg1_->MsgBox(leftovers::showText(variant, folder));
    } else {
        leftovers::deleteWithConfirmation(
            folder,
            {[this](const QString& question) {
                 return MKBoxDlg1_->TMMsgBoxYN(question, BoxAnswer::No) == BoxAnswer::Yes;
             },
             [this](const QString& message) { MKBoxDlg1_->TMMsgBox(message, BoxAnswer::Ok); }});
    }
    flags_.messageBusy = false;
    QApplication::restoreOverrideCursor();
}

void MainWindow::offerLeftoverRecovery() {
    // A take the automatic start began must not wait for the question; the
    // leftovers are offered again at the next start.
    for (const RecordingController* controller : controllers_)
        if (controller->isRunActive()) return;
    const QString folder = recordingFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return;
    const QList<mci::Recoverable> found = leftovers::findRecoverable(leftovers::recoveryFolders());
    if (found.isEmpty()) return;
    if (MKBoxDlg1_->TMMsgBoxYN(leftovers::recoveryQuestion(found), BoxAnswer::No) != BoxAnswer::Yes)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QList<leftovers::Recovered> results = leftovers::recoverAll(
        found, paths::withTrailingSlash(folder), *log_, QDateTime::currentDateTime());
    QApplication::restoreOverrideCursor();
    const QString failures = leftovers::recoveryFailures(results);
    if (!failures.isEmpty()) MKBoxDlg1_->TMMsgBox(failures, BoxAnswer::Ok);
}

}  // namespace sondex
