#include "shell/VolumeMenu.h"

#include "ui/Commands.h"

#include <QMenu>

namespace sondex {

VolumeMenuCommands buildVolumeMenu(QWidget& owner, Commands& c) {
    VolumeMenuCommands s;
    QMenu* menu = s.PopupMenu_VOL = c.addMenu(&owner, "PopupMenu_VOL");
    s.PVOL = c.add(menu, "PVOL", "再生ボリューム表示");
    s.PVOL_R = c.add(menu, "PVOL_R", "録音ボリューム表示");
    s.PVOL_ETC = c.add(menu, "PVOL_ETC", "その他のボリューム表示");
    s.PVOL_MAIN = c.add(menu, "PVOL_MAIN", "メインボリュームのみ表示");
    menu->addSeparator();
    s.PVOL_S = c.add(menu, "PVOL_S", "スモールサイズＯＮ", true);
    return s;
}

}  // namespace sondex
