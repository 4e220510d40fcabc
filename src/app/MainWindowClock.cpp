// The clock-setting dialog and the commands that open it.
#include "app/MainWindow.h"

#include "timer/TJikanBoxDlg.h"

#include <QAction>
#include <QDateTime>

namespace sondex {

void MainWindow::bindClockCommands() {
    JikanBoxDlg1_ = new TJikanBoxDlg(*this, clock_, &QDateTime::currentDateTime, this);
    JikanBoxDlg1_->setObjectName(QStringLiteral("JikanBoxDlg1"));
    connect(menus_.main.MO_SetNowTime, &QAction::triggered, this, &MainWindow::MO_SetNowTimeClick);
    connect(menus_.recording.PR_SetNowTime, &QAction::triggered, this,
            &MainWindow::MO_SetNowTimeClick);
}

void MainWindow::MO_SetNowTimeClick() {
    showClockDialog();
}

bool MainWindow::showClockDialog() {
    return JikanBoxDlg1_->Execute();
}

}  // namespace sondex
