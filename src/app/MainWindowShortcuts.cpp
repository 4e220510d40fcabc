// The options menu's start-up and desktop icon commands.
#include "app/MainMenus.h"
#include "app/MainWindow.h"
#include "shell/ProgramShortcuts.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QAction>

namespace sondex {

namespace {

ProgramShortcuts shortcutsOf(const Identity& identity) {
    return ProgramShortcuts::forThisProcess(identity);
}

}  // namespace

void MainWindow::bindShortcutCommands() {
    const auto tell = [this](const QString& failure) {
        if (!failure.isEmpty()) MKBoxDlg1_->TMMsgBox(failure, BoxAnswer::Ok);
    };
    connect(menus_.main.MICON_SET, &QAction::triggered, this,
            [this, tell] { tell(shortcutsOf(identity_).addToStartup()); });
    connect(menus_.main.MICON_DEL, &QAction::triggered, this,
            [this] { shortcutsOf(identity_).removeFromStartup(); });
    connect(menus_.main.MDESK_SET, &QAction::triggered, this,
            [this, tell] { tell(shortcutsOf(identity_).addToDesktop()); });
    connect(menus_.main.MDESK_DEL, &QAction::triggered, this,
            [this] { shortcutsOf(identity_).removeFromDesktop(); });
}

void MainWindow::onOptionsMenuOpening() {
    // Only the command that makes sense is offered: register when the entry is missing.
    const ProgramShortcuts shortcuts = shortcutsOf(identity_);
    const bool atStartup = shortcuts.atStartup();
    const bool onDesktop = shortcuts.onDesktop();
    menus_.main.MICON_SET->setVisible(!atStartup);
    menus_.main.MICON_DEL->setVisible(atStartup);
    menus_.main.MDESK_SET->setVisible(!onDesktop);
    menus_.main.MDESK_DEL->setVisible(onDesktop);
}

}  // namespace sondex
