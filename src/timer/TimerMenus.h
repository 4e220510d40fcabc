#pragma once

class QAction;
class QMenu;
class QWidget;

namespace sondex {

class Commands;

// The commands of the timer pop-up menus, by their component names.
struct TimerMenuCommands {
    QMenu *PopupMenu_JK = nullptr, *PopupMenu_JK_H = nullptr, *PopupMenu_JK_M = nullptr;
    QAction *PJK_CLR = nullptr, *PJK_CLR_ALL = nullptr, *PJK_X = nullptr, *TM_J0 = nullptr, *TM_J1 = nullptr;
    QAction *TM_J2 = nullptr, *TM_J3 = nullptr, *TM_J4 = nullptr, *TM_M0 = nullptr, *TM_M1 = nullptr;
    QAction *TM_M2 = nullptr, *TM_M3 = nullptr, *TM_M4 = nullptr;
};

// `PopupMenu_JK` (delete entries), `PopupMenu_JK_H` and `PopupMenu_JK_M`
// (quick picks for the hour and minute labels).
TimerMenuCommands buildTimerMenus(QWidget& owner, Commands& commands);

}  // namespace sondex
