#include "app/MainMenus.h"

#include "ui/Commands.h"

#include <QMenu>
#include <QMenuBar>

namespace sondex {

namespace {

QMenu* topMenu(QMenuBar& bar, Commands& commands, const char* name, const char* caption) {
    QMenu* menu = commands.addMenu(&bar, name, QString::fromUtf8(caption));
    bar.addMenu(menu);
    return menu;
}

void buildStartMenu(QMenuBar& bar, Commands& c, MainMenuCommands& s) {
    QMenu* m = s.MStart0 = topMenu(bar, c, "MStart0", "ｽﾀｰﾄ(&S)");
    s.MF_AUTO_OFF = c.add(m, "MF_AUTO_OFF", "録音終了時、終了する", true);
    s.MF_AUTO_OFF_WIN = c.add(m, "MF_AUTO_OFF_WIN", "録音終了時、WINを終了する", true);
    m->addSeparator();
    s.MS_REC_TXT = c.add(m, "MS_REC_TXT", "前回の録音一覧再表示");
    m->addSeparator();
    s.MF_Start_REC = c.add(m, "MF_Start_REC", "自動立ち上げ 手動録音", true);
    s.Start1 = c.add(m, "Start1", "自動立ち上げ CD再生", true);
    s.Start2 = c.add(m, "Start2", "最小化立ち上げ", true);
    m->addSeparator();
    s.BackColor = c.add(m, "BackColor", "標準色ＯＮ", true);
    s.MSSN = c.add(m, "MSSN", "ファイル名のみ表示ＯＮ", true);
    s.No_Memo = c.add(m, "No_Memo", "録音記録を表示しない", true);
    s.MKIROKUCLR = c.add(m, "MKIROKUCLR", "録音記録を削除する...");
    s.MKIROKU = c.add(m, "MKIROKU", "録音記録一覧表示...");
    m->addSeparator();
    s.RecodeFn = c.add(m, "RecodeFn", "ＣＤ時、トラック名を録音ファイル名とする", true);
    s.MIDIREC = c.add(m, "MIDIREC", "ＭＩＤＩファイル名を、録音ファイル名とする", true);
    s.MF_SAVE_NAME = c.add(m, "MF_SAVE_NAME", "セーブファイル名を自分で付ける", true);
    s.MTempSet = c.add(m, "MTempSet", "録音ファイル登録先");
    m->addSeparator();
    s.X1 = c.add(m, "X1", "終了する(&X)");
}

void buildRecordingMenu(QMenuBar& bar, Commands& c, MainMenuCommands& s) {
    QMenu* m = s.MREC0 = topMenu(bar, c, "MREC0", "録音(&R)");
    s.MR_CD_MUSIC = c.add(m, "MR_CD_MUSIC", "音楽CD用 44100/16/ｽﾃﾚｵ に設定する");
    s.MR_RADIO = c.add(m, "MR_RADIO", "ラジオの音質 22050/8/ﾓﾉﾗﾙ");
    s.MR_TEL = c.add(m, "MR_TEL", "電話の音質 11025/8/ﾓﾉﾗﾙ");
    m->addSeparator();
    s.MLate0 = c.add(m, "MLate0", "8000", true);
    s.MLate1 = c.add(m, "MLate1", "11025", true);
    s.MLate2 = c.add(m, "MLate2", "12000", true);
    s.MLate3 = c.add(m, "MLate3", "16000", true);
    s.MLate4 = c.add(m, "MLate4", "22050", true);
    s.MLate5 = c.add(m, "MLate5", "24000", true);
    s.MLate6 = c.add(m, "MLate6", "32000", true);
    s.MLate7 = c.add(m, "MLate7", "44100", true);
    s.MLate8 = c.add(m, "MLate8", "48000", true);
    m->addSeparator();
    s.MBits8 = c.add(m, "MBits8", "8", true);
    s.MBits16 = c.add(m, "MBits16", "16", true);
    m->addSeparator();
    s.MMono = c.add(m, "MMono", "ﾓﾉﾗﾙ", true);
    s.MStereo = c.add(m, "MStereo", "ｽﾃﾚｵ", true);
    m->addSeparator();
    s.TMBuf = c.add(m, "TMBuf", "バッファー秒数");
    s.PAKI = c.add(m, "PAKI", "全ﾄﾞﾗｲﾌﾞ空きサイズ一覧");
    s.MR_AUTOEXEC = c.add(m, "MR_AUTOEXEC", "「autoexec.bat」を表示する☆");
    QMenu* temp = s.MR_TEMP0 = c.addMenu(m, "MR_TEMP0", QStringLiteral("TEMP 環境変数"));
    s.PTEMP = c.add(temp, "PTEMP", "環境変数 TEMP= と、録音一時ファイルの表示");
    s.PREC_DEL = c.add(temp, "PREC_DEL", "録音一時ファイルの削除");
    m->addMenu(temp);
    QMenu* tmp = s.MR_TMP0 = c.addMenu(m, "MR_TMP0", QStringLiteral("TMP 環境変数"));
    s.MR_TMP = c.add(tmp, "MR_TMP", "環境変数 TMP= と、録音一時ファイルの表示");
    s.MR_TMP_DEL = c.add(tmp, "MR_TMP_DEL", "録音一時ファイルの削除");
    m->addMenu(tmp);
}

void buildOptionsMenu(QMenuBar& bar, Commands& c, MainMenuCommands& s) {
    QMenu* m = s.MOption0 = topMenu(bar, c, "MOption0", "ｵﾌﾟｼｮﾝ(&O)");
    s.K1 = c.add(m, "K1", "ＭＩＤＩ／手動録音ＯＮ...");
    s.MTANDOKU = c.add(m, "MTANDOKU", "単独再生／録音ＯＮ", true);
    m->addSeparator();
    s.MRECTEST = c.add(m, "MRECTEST", "テスト録音モードＯＮ", true);
    s.MRECTFILE = c.add(m, "MRECTFILE", "[WaVTEST.WAV]ファイルに録音する", true);
    m->addSeparator();
    s.MO_JK = c.add(m, "MO_JK", "時刻タイマー表示");
    s.MSHUDO = c.add(m, "MSHUDO", "手動タイマー ＯＦＦ");
    s.MO_SHUDOREC_TM_END = c.add(m, "MO_SHUDOREC_TM_END", "タイマー終了時、停止する", true);
    s.MO_TM_OFF = c.add(m, "MO_TM_OFF", "手動タイマー強制OFF");
    m->addSeparator();
    s.MINTORO = c.add(m, "MINTORO", "イントロ再／録");
    s.MO_CD_TRACK_PLUS = c.add(m, "MO_CD_TRACK_PLUS", "CD_Track_ENDプラス OFF");
    s.MO_NR_WAIT = c.add(m, "MO_NR_WAIT", "NOT_READY待ち時間");
    s.MREPERTCD = c.add(m, "MREPERTCD", "CD全リピートＯＮ", true);
    s.MREPERTMIDI = c.add(m, "MREPERTMIDI", "MIDI全リピートＯＮ", true);
    m->addSeparator();
    s.MICON_SET = c.add(m, "MICON_SET", "アイコンを、スタートアップにも、登録する (&S)");
    s.MICON_DEL = c.add(m, "MICON_DEL", "アイコンを、スタートアップから、削除する (&S)");
    s.MDESK_SET = c.add(m, "MDESK_SET", "アイコンを、デスクトップにも、登録する (&D)");
    s.MDESK_DEL = c.add(m, "MDESK_DEL", "アイコンを、デスクトップから、削除する (&D)");
    m->addSeparator();
    s.MO_CDVSET = c.add(m, "MO_CDVSET", "すべてのＣＤで、音が出るようにする");
    s.MO_CD_SELECT = c.add(m, "MO_CD_SELECT", "ＣＤ再生対象の切替をW3.1方式にする", true);
    s.MO_CDIMAGE = c.add(m, "MO_CDIMAGE", "ＣＤイメージをドライブとして追加…");
    m->addSeparator();
    s.MO_REC_MAX = c.add(m, "MO_REC_MAX", "自動、録音最大サイズ表示ON", true);
    s.MR_MAXSIZE = c.add(m, "MR_MAXSIZE", "録音最大サイズ表示");
    m->addSeparator();
    s.MO_SetNowTime_Select = c.add(m, "MO_SetNowTime_Select", "立ち上げ、時刻設定ON", true);
    s.MO_SetNowTime = c.add(m, "MO_SetNowTime", "現在の時刻設定");
}

void buildHelpMenu(QMenuBar& bar, Commands& c, MainMenuCommands& s) {
    QMenu* m = s.MHelp0 = topMenu(bar, c, "MHelp0", "ﾍﾙﾌﾟ(&H)");
    s.HELP_MOKUJI = c.add(m, "HELP_MOKUJI", "ヘルプ...(&H)");
    s.HELP_KEYWORD = c.add(m, "HELP_KEYWORD", "キーワードで検索...(&K)");
    s.HELP3 = c.add(m, "HELP3", "ミニヘルプＯＮ(&M)", true);
    m->addSeparator();
    s.MHELP_VERCUT = c.add(m, "MHELP_VERCUT", "ﾊﾞｰｼﾞｮﾝ番号削除...(&C)");
    s.MQ_A = c.add(m, "MQ_A", "問い合わせ先...(&Q)");
    s.HELP2 = c.add(m, "HELP2", "パージョン情報...(&V)");
}

}  // namespace

MainMenuCommands buildMainMenu(QMenuBar& bar, Commands& commands) {
    MainMenuCommands s;
    bar.setObjectName(QStringLiteral("MainMenu1"));
    buildStartMenu(bar, commands, s);
    buildRecordingMenu(bar, commands, s);
    buildOptionsMenu(bar, commands, s);
    buildHelpMenu(bar, commands, s);
    return s;
}

}  // namespace sondex
