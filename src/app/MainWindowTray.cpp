// The tray icon: the window goes there and comes back, and the icon's
// buttons open the drive menu and the main pop-up menu. Recording goes on
// meanwhile: its state lives in the controllers, not in the hidden window.
#include "app/MainWindow.h"

#include "cd/CdControlPanel.h"
#include "core/Logging.h"
#include "ui/PopupOpener.h"
#include "ui/dialogs/TMKBoxDlg.h"
#include "ui/tray/QtTrayBackend.h"
#include "ui/tray/TTaskTray.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QPushButton>

namespace sondex {

namespace {

const char* const kNoTrayNotice = "タスクトレイが使えないため、最小化します・・・";

}  // namespace

void MainWindow::buildTray(TrayBackend* backend) {
    if (!backend) {
        ownTray_ = std::make_unique<QtTrayBackend>();
        backend = ownTray_.get();
    }
    trayIcons_ = std::make_unique<TrayIcons>(*backend);
    TaskTray1_ = std::make_unique<TTaskTray>(*trayIcons_, this);
    TaskTray1_->setObjectName(QStringLiteral("TaskTray1"));
    connect(TaskTray1_.get(), &TTaskTray::OnMouseDown, this,
            [this](Qt::MouseButton button) { TaskTray1MouseDown(button); });
    connect(cd_->ButtonTRAY, &QPushButton::clicked, this, &MainWindow::ButtonTRAYClick);
    connect(menus_.tray.TRIconOFF, &QAction::triggered, this, &MainWindow::TRIconOFFClick);
    // The caption names the chosen CD unit; the tip follows it.
    connect(this, &QWidget::windowTitleChanged, TaskTray1_.get(), &TTaskTray::setTipString);
    popups_->clearsBusyOnOpening(menus_.cd.PopupMenu3);
    popups_->clearsBusyOnOpening(PopupMenu1_);
}

void MainWindow::setUpTrayIcon() {
    TaskTray1_->setIcon(windowIcon());
    TaskTray1_->setTipString(windowTitle());
}

void MainWindow::ButtonTRAYClick() {
    goToTray();
}

void MainWindow::goToTray() {
    if (closing()) return;
    if (!trayIcons_->backend().available()) {
        if (!trayMissingTold_) {
            trayMissingTold_ = true;
            qCInfo(lcStartup) << "no notification area: the window minimises instead";
            MKBoxDlg1_->TMMsgBox(QString::fromUtf8(kNoTrayNotice), BoxAnswer::Ok);
            if (closing()) return;
        }
        showMinimized();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Without an icon there would be no way back, so the window only minimises.
    if (TaskTray1_->setRegistered(true).isEmpty()) {
        cd_->ButtonTRAY->hide();
        hide();
        QCoreApplication::processEvents();
    } else {
        showMinimized();
    }
    QApplication::restoreOverrideCursor();
}

void MainWindow::TRIconOFFClick() {
    if (closing()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    (void)TaskTray1_->setRegistered(false);  // taking an icon out never fails
    showNormal();
    raise();
    activateWindow();
    QCoreApplication::processEvents();
    cd_->ButtonTRAY->show();
    QApplication::restoreOverrideCursor();
}

void MainWindow::TaskTray1MouseDown(Qt::MouseButton button) {
    if (flags_.messageBusy || trayMouseRunning_) return;
    QMenu* menu = button == Qt::LeftButton    ? menus_.cd.PopupMenu3
                  : button == Qt::RightButton ? PopupMenu1_
                                              : nullptr;
    if (!menu) return;
    trayMouseRunning_ = true;
    QCoreApplication::processEvents();
    popups_->open(menu, QCursor::pos());
    trayMouseRunning_ = false;
}

void MainWindow::removeTrayIcon() {
    (void)TaskTray1_->setRegistered(false);
}

}  // namespace sondex
