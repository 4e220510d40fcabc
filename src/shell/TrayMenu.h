#pragma once

class QAction;
class QMenu;
class QWidget;

namespace sondex {

class Commands;

// The commands of the tray menu, by their component names.
struct TrayMenuCommands {
    QMenu *PopupMenu1 = nullptr;
    QAction *TRALLCD = nullptr, *TRCD1 = nullptr, *TR0 = nullptr, *TR1 = nullptr, *TR5 = nullptr;
    QAction *TR2 = nullptr, *TR3 = nullptr, *TR4 = nullptr, *TR6 = nullptr, *TRSAVE = nullptr;
    QAction *Late0 = nullptr, *Late1 = nullptr, *Late2 = nullptr, *Late3 = nullptr, *Late4 = nullptr;
    QAction *Late5 = nullptr, *Late6 = nullptr, *Late7 = nullptr, *Late8 = nullptr, *Bits8 = nullptr;
    QAction *Bits16 = nullptr, *mono = nullptr, *stereo = nullptr, *PST0 = nullptr, *P5 = nullptr;
    QAction *TRIconOFF = nullptr, *P2 = nullptr, *P3 = nullptr;
};

// The notification-area menu `PopupMenu1`: CD play and search, the recording
// format, the start option, help, leaving the tray and closing.
TrayMenuCommands buildTrayMenu(QWidget& owner, Commands& commands);

}  // namespace sondex
