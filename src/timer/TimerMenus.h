#pragma once

class QWidget;

namespace sondex {

class Commands;

// `PopupMenu_JK` (delete entries), `PopupMenu_JK_H` and `PopupMenu_JK_M`
// (quick picks for the hour and minute labels).
void buildTimerMenus(QWidget& owner, Commands& commands);

}  // namespace sondex
