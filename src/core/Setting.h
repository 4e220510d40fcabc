#pragma once

#include <QString>

#include <array>
#include <span>

namespace sondex {

// Every value the recorder reads at start-up and writes back at close, in the
// order it reads them. The enumerators carry the stored value names.
enum class Setting {
    FP, TEMPALL, START, Start_REC, STARTMIN, REPEAT, REPEATMIDI, BackColor, SHUDOREC_TM_END,
    REC_MAX, SetNowTime_Select, SAVE_NAME, MIDI_DISP, Shudo_DISP, minihelp, FileOnly, No_Memo,
    W31CDSET, BIGFONT, RecodeFn, MIDIREC, Serch_Err, RECTESTFILE, rate2, Bit, stereo, BufCount,
    Track_END_PLUS, INTORO, SHUDO, RECWAIT, NR_WAIT, RECEND_WAIT, OPENWAIT, LoadPath, REC_TXT, JK,
    TM_Mode, TDAY_S, TM_F_Index, TWEK_Index, CDSTREAMREC, CDDRIVE,
};

inline constexpr int kSettingCount = static_cast<int>(Setting::CDDRIVE) + 1;

// How a stored text becomes the value the program runs with.
enum class SettingKind {
    Text,          // kept as it is
    Folder,        // the recording folder rule (marker, existing folder, trailing "/")
    PathText,      // a folder text that gets a trailing "/"
    Switch,        // on when the integer is not 0
    SixteenBits,   // 1 means 16 bits, any other number 8 bits
    Number,        // taken as it is
    Clamped,       // clamped into low..high
    ResetOutside,  // outside low..high becomes the fallback
    AlwaysZero,    // read, but the program always runs with 0
};

struct SettingRule {
    Setting setting;
    const char* name;
    SettingKind kind;
    const char* defaultText;  // the empty text is replaced by this
    int fallback;             // used when the text is not a decimal integer
    int low = 0;
    int high = 0;
};

const SettingRule& ruleOf(Setting setting);
QString nameOf(Setting setting);

// Every setting in reading order.
std::span<const SettingRule> allSettingRules();

// The order in which the close writes the values back.
std::span<const Setting> writeBackOrder();

// The recording folder text while no folder has been chosen.
inline const QString kNoFolderMarker = QStringLiteral("@@@@@\\");

}  // namespace sondex
