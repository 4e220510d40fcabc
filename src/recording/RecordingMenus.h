#pragma once

class QAction;
class QMenu;
class QWidget;

namespace sondex {

class Commands;

// The commands of the format and manual-timer pop-up menus, by their component names.
struct RecordingMenuCommands {
    QMenu *PopupMenu_Rate = nullptr, *PopupMenu_TM = nullptr;
    QAction *PR_CD = nullptr, *PR_RADIO = nullptr, *PR_TEL = nullptr, *PR_REC_MAX = nullptr, *PR_MAXSIZE = nullptr;
    QAction *PR_RATE_X = nullptr, *PR_SHUDO = nullptr, *PR_SHUDOREC_TM_END = nullptr, *PR_TM_OFF = nullptr, *PR_JK = nullptr;
    QAction *PR_SetNowTime_Select = nullptr, *PR_SetNowTime = nullptr, *PR_TM_X = nullptr;
};

// `PopupMenu_Rate` (format presets and the size report, on the format label)
// and `PopupMenu_TM` (the manual timer's copies of the option commands).
RecordingMenuCommands buildRecordingMenus(QWidget& owner, Commands& commands);

}  // namespace sondex
