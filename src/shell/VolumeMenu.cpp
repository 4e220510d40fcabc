#include "shell/VolumeMenu.h"

#include "ui/Commands.h"

#include <QMenu>

namespace sondex {

void buildVolumeMenu(QWidget& owner, Commands& c) {
    QMenu* menu = c.addMenu(&owner, "PopupMenu_VOL");
    c.addItems(menu, {
        {"PVOL", "再生ボリューム表示"},
        {"PVOL_R", "録音ボリューム表示"},
        {"PVOL_ETC", "その他のボリューム表示"},
        {"PVOL_MAIN", "メインボリュームのみ表示"},
        {nullptr, nullptr},
        {"PVOL_S", "スモールサイズＯＮ", true},
    });
}

}  // namespace sondex
