#pragma once

class QWidget;

namespace sondex {

class Commands;

// `PopupMenuMIDI` on the music lists: the large font and renaming.
void buildMusicMenus(QWidget& owner, Commands& commands);

}  // namespace sondex
