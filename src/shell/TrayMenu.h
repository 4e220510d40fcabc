#pragma once

class QMenu;
class QWidget;

namespace sondex {

class Commands;

// The notification-area menu `PopupMenu1`: CD play and search, the recording
// format, the start option, help, leaving the tray and closing.
QMenu* buildTrayMenu(QWidget& owner, Commands& commands);

}  // namespace sondex
