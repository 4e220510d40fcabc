#pragma once

class QAction;
class QMenu;
class QWidget;

namespace sondex {

class Commands;

// The commands of the music list pop-up menu, by their component names.
struct MusicMenuCommands {
    QMenu *PopupMenuMIDI = nullptr;
    QAction *PBIGFONT = nullptr, *PRENAME = nullptr, *PMIDI_X = nullptr;
};

// `PopupMenuMIDI` on the music lists: the large font and renaming.
MusicMenuCommands buildMusicMenus(QWidget& owner, Commands& commands);

}  // namespace sondex
