// Disk space: the size report (on request, and after a change of format or
// recording folder when the automatic report is on) and the volume list.
#include "app/MainWindow.h"

#include "cd/CdDriveSelection.h"
#include "core/RecordingFormat.h"
#include "core/Settings.h"
#include "platform/AppPaths.h"
#include "platform/DesktopServices.h"
#include "platform/DiskSpace.h"
#include "platform/ListFile.h"
#include "recording/DiskSpaceReport.h"
#include "recording/FormatCommands.h"
#include "recording/RecordingMenus.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QAction>
#include <QApplication>

namespace sondex {

void MainWindow::buildDiskSpace() {
    for (QAction* report : {menus_.main.MR_MAXSIZE, menus_.recording.PR_MAXSIZE})
        connect(report, &QAction::triggered, this,
                [this] { ShowMaxRecordSize(0, recordingFolder()); });
    connect(menus_.main.PAKI, &QAction::triggered, this, &MainWindow::PAKIClick);
    format_->setAfterChoice([this] { showAutomaticSizeReport(); });
}

void MainWindow::showAutomaticSizeReport() {
    if (settings_.isOn(Setting::REC_MAX)) ShowMaxRecordSize(10, recordingFolder());
}

void MainWindow::ShowMaxRecordSize(int seconds, const QString& folder) {
    const QString text = diskspace::sizeReport(diskspace::readSizeReport(
        disks_, paths::recordingTempFolder(), folder, recordingFormat(settings_)));
    if (seconds == 0)
        MKBoxDlg1_->MsgBox(text);
    else
        MKBoxDlg1_->TMMsgBoxCount(seconds, text, BoxAnswer::Ok);
}

void MainWindow::PAKIClick() {
    QStringList mountPoints;
    for (const DiskVolume& volume : cdDrives_->disks()) mountPoints.append(volume.mountPoint);
    if (mountPoints.isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList lines =
        diskspace::driveList(diskspace::readListedVolumes(disks_, mountPoints),
                             recordingFormat(settings_), QDateTime::currentDateTime());
    const QString path = identity_.ProgramFolder + QString::fromUtf8(diskspace::kDriveListFile);
    const bool shown = listfile::write(path, lines) && desktop_.openFile(path);
    QApplication::restoreOverrideCursor();
    if (!shown) {
        MKBoxDlg1_->TMMsgBox(path + QStringLiteral("\nｴﾗｰ：表示に失敗しました・・・"),
                             BoxAnswer::Ok);
        desktop_.beep();
    }
}

}  // namespace sondex
