#pragma once

class QWidget;

namespace sondex {

class Commands;

// `PopupMenu_Rate` (format presets and the size report, on the format label)
// and `PopupMenu_TM` (the manual timer's copies of the option commands).
void buildRecordingMenus(QWidget& owner, Commands& commands);

}  // namespace sondex
