#pragma once

#include <QString>

#include <optional>

namespace sondex {

class TTmSETBoxDlg;

// The option commands whose value is asked with the number dialog.
enum class MenuNumberCommand { TMBuf, MSHUDO, MO_NR_WAIT, MINTORO, MO_CD_TRACK_PLUS };

// How one command asks for its value and shows it in its caption.
struct MenuNumberEntry {
    QString command;
    QString setting;  // the settings value it writes
    int minCount;
    QString msg1;
    QString msg2;
    QString subject;
    int lowest;  // range applied to a confirmed value
    int highest;
    QString captionPrefix;  // empty: another part of the program writes the caption
    QString offCaption;     // caption for 0; empty: the number is shown even for 0
};

const MenuNumberEntry& menuNumberEntry(MenuNumberCommand command);

// The menu caption for a value, also used when captions are written at start-up.
// Empty for MSHUDO, whose caption the manual recording writes.
QString menuNumberCaption(MenuNumberCommand command, int value);

struct MenuNumberChoice {
    int value;        // confirmed and brought into the command's range
    QString caption;  // the command's new caption (empty for MSHUDO)
};

// Asks for the command's value with the given dialog, starting from the
// current one. Nothing when the user did not confirm a value. The caller
// stores the value and sets the caption.
std::optional<MenuNumberChoice> askMenuNumber(TTmSETBoxDlg& dialog, MenuNumberCommand command,
                                              int current);

}  // namespace sondex
