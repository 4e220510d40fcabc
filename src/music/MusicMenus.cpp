#include "music/MusicMenus.h"

#include "ui/Commands.h"

#include <QMenu>

namespace sondex {

MusicMenuCommands buildMusicMenus(QWidget& owner, Commands& c) {
    MusicMenuCommands s;
    QMenu* menu = s.PopupMenuMIDI = c.addMenu(&owner, "PopupMenuMIDI");
    s.PBIGFONT = c.add(menu, "PBIGFONT", "大きいフォントにする", true);
    s.PRENAME = c.add(menu, "PRENAME", "リネーム（選択のみ）");
    menu->addSeparator();
    s.PMIDI_X = c.add(menu, "PMIDI_X", "キャンセル");
    return s;
}

}  // namespace sondex
