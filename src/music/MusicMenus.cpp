#include "music/MusicMenus.h"

#include "ui/Commands.h"

#include <QMenu>

namespace sondex {

void buildMusicMenus(QWidget& owner, Commands& c) {
    QMenu* menu = c.addMenu(&owner, "PopupMenuMIDI");
    c.addItems(menu, {
        {"PBIGFONT", "大きいフォントにする", true},
        {"PRENAME", "リネーム（選択のみ）"},
        {nullptr, nullptr},
        {"PMIDI_X", "キャンセル"},
    });
}

}  // namespace sondex
