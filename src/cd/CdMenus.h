#pragma once

#include <array>

class QAction;
class QMenu;
class QWidget;

namespace sondex {

class Commands;

// The commands of the CD pop-up menus, by their component names.
struct CdMenuCommands {
    QMenu *PopupMenu3 = nullptr, *PopupMenuLB = nullptr, *PopupMenu_CD = nullptr;
    QAction *TL00 = nullptr, *TL01 = nullptr;
    QAction *PLBTIchiran = nullptr, *PCD_ALL_CD = nullptr, *PCD_1_CD = nullptr, *PCD_ALL_TR = nullptr, *PCD_1_TR = nullptr;
    QAction *PCD_X = nullptr;
    std::array<QAction*, 26> drives{};  // D0 … D25, the drive letters A: to Z:
};

// `PopupMenu3` (CD drive choice), `PopupMenuLB` (search report) and
// `PopupMenu_CD` (search by disc or by track).
CdMenuCommands buildCdMenus(QWidget& owner, Commands& commands);

}  // namespace sondex
