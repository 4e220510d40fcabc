#pragma once

class QWidget;

namespace sondex {

class Commands;

// `PopupMenu3` (CD drive choice), `PopupMenuLB` (search report) and
// `PopupMenu_CD` (search by disc or by track).
void buildCdMenus(QWidget& owner, Commands& commands);

}  // namespace sondex
