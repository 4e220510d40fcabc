#pragma once

class QAction;
class QMenu;
class QWidget;

namespace sondex {

class Commands;

// The commands of the volume pop-up menu, by their component names.
struct VolumeMenuCommands {
    QMenu *PopupMenu_VOL = nullptr;
    QAction *PVOL = nullptr, *PVOL_R = nullptr, *PVOL_ETC = nullptr, *PVOL_MAIN = nullptr, *PVOL_S = nullptr;
};

// `PopupMenu_VOL` on the "vol" button: the mixers and the small size.
VolumeMenuCommands buildVolumeMenu(QWidget& owner, Commands& commands);

}  // namespace sondex
