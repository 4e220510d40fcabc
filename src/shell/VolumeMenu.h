#pragma once

class QWidget;

namespace sondex {

class Commands;

// `PopupMenu_VOL` on the "vol" button: the mixers and the small size.
void buildVolumeMenu(QWidget& owner, Commands& commands);

}  // namespace sondex
