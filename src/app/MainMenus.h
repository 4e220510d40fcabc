#pragma once

#include "cd/CdMenus.h"
#include "music/MusicMenus.h"
#include "recording/RecordingMenus.h"
#include "shell/TrayMenu.h"
#include "shell/VolumeMenu.h"
#include "timer/TimerMenus.h"

class QAction;
class QMenu;
class QMenuBar;

namespace sondex {

class Commands;

// The commands of the main menu, by their component names.
struct MainMenuCommands {
    QMenu *MStart0 = nullptr, *MREC0 = nullptr, *MOption0 = nullptr, *MHelp0 = nullptr;
    QMenu *MR_TEMP0 = nullptr, *MR_TMP0 = nullptr;
    QAction *MF_AUTO_OFF = nullptr, *MF_AUTO_OFF_WIN = nullptr, *MS_REC_TXT = nullptr, *MF_Start_REC = nullptr, *Start1 = nullptr;
    QAction *Start2 = nullptr, *BackColor = nullptr, *MSSN = nullptr, *No_Memo = nullptr, *MKIROKUCLR = nullptr;
    QAction *MKIROKU = nullptr, *RecodeFn = nullptr, *MIDIREC = nullptr, *MF_SAVE_NAME = nullptr, *MTempSet = nullptr;
    QAction *X1 = nullptr, *MR_CD_MUSIC = nullptr, *MR_RADIO = nullptr, *MR_TEL = nullptr, *MLate0 = nullptr;
    QAction *MLate1 = nullptr, *MLate2 = nullptr, *MLate3 = nullptr, *MLate4 = nullptr, *MLate5 = nullptr;
    QAction *MLate6 = nullptr, *MLate7 = nullptr, *MLate8 = nullptr, *MBits8 = nullptr, *MBits16 = nullptr;
    QAction *MMono = nullptr, *MStereo = nullptr, *TMBuf = nullptr, *PAKI = nullptr, *MR_AUTOEXEC = nullptr;
    QAction *PTEMP = nullptr, *PREC_DEL = nullptr, *MR_TMP = nullptr, *MR_TMP_DEL = nullptr, *K1 = nullptr;
    QAction *MTANDOKU = nullptr, *MRECTEST = nullptr, *MRECTFILE = nullptr, *MO_JK = nullptr, *MSHUDO = nullptr;
    QAction *MO_SHUDOREC_TM_END = nullptr, *MO_TM_OFF = nullptr, *MINTORO = nullptr, *MO_CD_TRACK_PLUS = nullptr, *MO_NR_WAIT = nullptr;
    QAction *MREPERTCD = nullptr, *MREPERTMIDI = nullptr, *MICON_SET = nullptr, *MICON_DEL = nullptr, *MDESK_SET = nullptr;
    QAction *MDESK_DEL = nullptr, *MO_CDVSET = nullptr, *MO_CD_SELECT = nullptr, *MO_CDIMAGE = nullptr, *MO_REC_MAX = nullptr, *MR_MAXSIZE = nullptr;
    QAction *MO_SetNowTime_Select = nullptr, *MO_SetNowTime = nullptr, *HELP_MOKUJI = nullptr, *HELP_KEYWORD = nullptr, *HELP3 = nullptr;
    QAction *MHELP_VERCUT = nullptr, *MQ_A = nullptr, *HELP2 = nullptr;
};

// Fills the main menu `MainMenu1`: ｽﾀｰﾄ, 録音, ｵﾌﾟｼｮﾝ and ﾍﾙﾌﾟ with every command.
MainMenuCommands buildMainMenu(QMenuBar& bar, Commands& commands);

// Every command of the window, by menu, as the menu builders hand them back.
struct WindowCommands {
    MainMenuCommands main;
    TrayMenuCommands tray;
    CdMenuCommands cd;
    RecordingMenuCommands recording;
    MusicMenuCommands music;
    TimerMenuCommands timer;
    VolumeMenuCommands volume;
};

}  // namespace sondex
