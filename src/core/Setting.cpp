#include "core/Setting.h"

namespace sondex {

namespace {

using K = SettingKind;
using S = Setting;

// Default texts, fallbacks and start-up rules of every value, in reading order.
constexpr std::array<SettingRule, kSettingCount> kRules{{
    {S::FP, "FP", K::Text, "", 0},
    {S::TEMPALL, "TEMPALL", K::Folder, "@@@@@\\", 0},
    // START and STARTMIN fall back to on although their default is off.
    {S::START, "START", K::Switch, "0", 1},
    {S::Start_REC, "Start_REC", K::Switch, "0", 0},
    {S::STARTMIN, "STARTMIN", K::Switch, "0", 1},
    {S::REPEAT, "REPEAT", K::Switch, "0", 0},
    {S::REPEATMIDI, "REPEATMIDI", K::Switch, "0", 0},
    {S::BackColor, "BackColor", K::Switch, "1", 1},
    {S::SHUDOREC_TM_END, "SHUDOREC_TM_END", K::Switch, "0", 0},
    {S::REC_MAX, "REC_MAX", K::Switch, "1", 1},
    {S::SetNowTime_Select, "SetNowTime_Select", K::Switch, "1", 1},
    {S::SAVE_NAME, "SAVE_NAME", K::Switch, "0", 0},
    {S::MIDI_DISP, "MIDI_DISP", K::Number, "0", 0},
    {S::Shudo_DISP, "Shudo_DISP", K::Number, "0", 0},
    {S::minihelp, "minihelp", K::Switch, "1", 1},
    {S::FileOnly, "FileOnly", K::Switch, "0", 0},
    {S::No_Memo, "No_Memo", K::Switch, "0", 0},
    {S::W31CDSET, "W31CDSET", K::Switch, "0", 0},
    {S::BIGFONT, "BIGFONT", K::Switch, "0", 0},
    {S::RecodeFn, "RecodeFn", K::Switch, "0", 0},
    {S::MIDIREC, "MIDIREC", K::Switch, "0", 0},
    // Search-error avoidance has no command that turns it on.
    {S::Serch_Err, "Serch_Err", K::AlwaysZero, "1", 0},
    {S::RECTESTFILE, "RECTESTFILE", K::Switch, "0", 0},
    // A stored index outside the rate table starts at 44100 Hz, like a fresh user.
    {S::rate2, "rate2", K::ResetOutside, "7", 7, 0, 8},
    {S::Bit, "Bit", K::SixteenBits, "1", 1},
    {S::stereo, "stereo", K::Switch, "1", 1},
    {S::BufCount, "BufCount", K::Number, "6", 6},
    {S::Track_END_PLUS, "Track_END_PLUS", K::Clamped, "0", 0, 0, 10},
    {S::INTORO, "INTORO", K::Clamped, "0", 0, 0, 5999},
    {S::SHUDO, "SHUDO", K::Clamped, "0", 0, 0, 90000},
    {S::RECWAIT, "RECWAIT", K::AlwaysZero, "0", 0},
    {S::NR_WAIT, "NR_WAIT", K::Clamped, "10", 10, 3, 180},
    {S::RECEND_WAIT, "RECEND_WAIT", K::AlwaysZero, "0", 0},
    {S::OPENWAIT, "OPENWAIT", K::AlwaysZero, "0", 0},
    {S::LoadPath, "LoadPath", K::PathText, "", 0},
    {S::REC_TXT, "REC_TXT", K::Number, "0", 0},
    {S::JK, "JK", K::Text, "", 0},
    {S::TM_Mode, "TM_Mode", K::ResetOutside, "0", 0, 0, 2},
    {S::TDAY_S, "TDAY_S", K::Text, "", 0},
    {S::TM_F_Index, "TM_F_Index", K::ResetOutside, "0", 0, 0, 2},
    {S::TWEK_Index, "TWEK_Index", K::ResetOutside, "0", 0, 0, 6},
    // A CD take records the CD's own playback stream alone unless this is 0.
    {S::CDSTREAMREC, "CDSTREAMREC", K::Switch, "1", 1},
    // The letter of the CD unit chosen last; the next start chooses it again.
    {S::CDDRIVE, "CDDRIVE", K::Text, "", 0},
}};

constexpr std::array<Setting, kSettingCount> kWriteBackOrder{
    S::START, S::STARTMIN, S::REPEAT, S::REPEATMIDI, S::Start_REC, S::MIDI_DISP, S::Shudo_DISP,
    S::TEMPALL, S::BackColor, S::FP, S::minihelp, S::SHUDOREC_TM_END, S::REC_MAX,
    S::SetNowTime_Select, S::SAVE_NAME, S::rate2, S::Bit, S::stereo, S::BufCount, S::INTORO,
    S::Track_END_PLUS, S::SHUDO, S::RECWAIT, S::NR_WAIT, S::RECEND_WAIT, S::OPENWAIT, S::RecodeFn,
    S::MIDIREC, S::Serch_Err, S::LoadPath, S::RECTESTFILE, S::FileOnly, S::No_Memo, S::W31CDSET,
    S::BIGFONT, S::REC_TXT, S::JK, S::TM_Mode, S::TDAY_S, S::TM_F_Index, S::TWEK_Index,
    S::CDSTREAMREC, S::CDDRIVE,
};

constexpr bool rulesAreInEnumOrder() {
    for (int i = 0; i < kSettingCount; ++i) {
        if (static_cast<int>(kRules[static_cast<size_t>(i)].setting) != i) return false;
    }
    return true;
}
static_assert(rulesAreInEnumOrder(), "the rule table must follow the Setting enumeration");

}  // namespace

const SettingRule& ruleOf(Setting setting) { return kRules[static_cast<size_t>(setting)]; }

QString nameOf(Setting setting) { return QString::fromLatin1(ruleOf(setting).name); }

std::span<const SettingRule> allSettingRules() { return kRules; }

std::span<const Setting> writeBackOrder() { return kWriteBackOrder; }

}  // namespace sondex
