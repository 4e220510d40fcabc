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

void buildStartMenu(QMenuBar& bar, Commands& c) {
    QMenu* m = topMenu(bar, c, "MStart0", "ｽﾀｰﾄ(&S)");
    c.addItems(m, {
        {"MF_AUTO_OFF", "録音終了時、終了する", true},
        {"MF_AUTO_OFF_WIN", "録音終了時、WINを終了する", true},
        {nullptr, nullptr},
        {"MS_REC_TXT", "前回の録音一覧再表示"},
        {nullptr, nullptr},
        {"MF_Start_REC", "自動立ち上げ 手動録音", true},
        {"Start1", "自動立ち上げ CD再生", true},
        {"Start2", "最小化立ち上げ", true},
        {nullptr, nullptr},
        {"BackColor", "標準色ＯＮ", true},
        {"MSSN", "ファイル名のみ表示ＯＮ", true},
        {"No_Memo", "録音記録を表示しない", true},
        {"MKIROKUCLR", "録音記録を削除する..."},
        {"MKIROKU", "録音記録一覧表示..."},
        {nullptr, nullptr},
        {"RecodeFn", "ＣＤ時、トラック名を録音ファイル名とする", true},
        {"MIDIREC", "ＭＩＤＩファイル名を、録音ファイル名とする", true},
        {"MF_SAVE_NAME", "セーブファイル名を自分で付ける", true},
        {"MTempSet", "録音ファイル登録先"},
        {nullptr, nullptr},
        {"X1", "終了する(&X)"},
    });
}

void buildRecordingMenu(QMenuBar& bar, Commands& c) {
    QMenu* m = topMenu(bar, c, "MREC0", "録音(&R)");
    c.addItems(m, {
        {"MR_CD_MUSIC", "音楽CD用 44100/16/ｽﾃﾚｵ に設定する"},
        {"MR_RADIO", "ラジオの音質 22050/8/ﾓﾉﾗﾙ"},
        {"MR_TEL", "電話の音質 11025/8/ﾓﾉﾗﾙ"},
        {nullptr, nullptr},
        {"MLate0", "8000", true},
        {"MLate1", "11025", true},
        {"MLate2", "12000", true},
        {"MLate3", "16000", true},
        {"MLate4", "22050", true},
        {"MLate5", "24000", true},
        {"MLate6", "32000", true},
        {"MLate7", "44100", true},
        {"MLate8", "48000", true},
        {nullptr, nullptr},
        {"MBits8", "8", true},
        {"MBits16", "16", true},
        {nullptr, nullptr},
        {"MMono", "ﾓﾉﾗﾙ", true},
        {"MStereo", "ｽﾃﾚｵ", true},
        {nullptr, nullptr},
        {"TMBuf", "バッファー秒数"},
        {"PAKI", "全ﾄﾞﾗｲﾌﾞ空きサイズ一覧"},
        {"MR_AUTOEXEC", "「autoexec.bat」を表示する☆"},
    });
    QMenu* temp = c.addMenu(m, "MR_TEMP0", QStringLiteral("TEMP 環境変数"));
    c.addItems(temp, {{"PTEMP", "環境変数 TEMP= と、録音一時ファイルの表示"}, {"PREC_DEL", "録音一時ファイルの削除"}});
    m->addMenu(temp);
    QMenu* tmp = c.addMenu(m, "MR_TMP0", QStringLiteral("TMP 環境変数"));
    c.addItems(tmp, {{"MR_TMP", "環境変数 TMP= と、録音一時ファイルの表示"}, {"MR_TMP_DEL", "録音一時ファイルの削除"}});
    m->addMenu(tmp);
}

void buildOptionsMenu(QMenuBar& bar, Commands& c) {
    QMenu* m = topMenu(bar, c, "MOption0", "ｵﾌﾟｼｮﾝ(&O)");
    c.addItems(m, {
        {"K1", "ＭＩＤＩ／手動録音ＯＮ..."},
        {"MTANDOKU", "単独再生／録音ＯＮ", true},
        {nullptr, nullptr},
        {"MRECTEST", "テスト録音モードＯＮ", true},
        {"MRECTFILE", "[WaVTEST.WAV]ファイルに録音する", true},
        {nullptr, nullptr},
        {"MO_JK", "時刻タイマー表示"},
        {"MSHUDO", "手動タイマー ＯＦＦ"},
        {"MO_SHUDOREC_TM_END", "タイマー終了時、停止する", true},
        {"MO_TM_OFF", "手動タイマー強制OFF"},
        {nullptr, nullptr},
        {"MINTORO", "イントロ再／録"},
        {"MO_CD_TRACK_PLUS", "CD_Track_ENDプラス OFF"},
        {"MO_NR_WAIT", "NOT_READY待ち時間"},
        {"MREPERTCD", "CD全リピートＯＮ", true},
        {"MREPERTMIDI", "MIDI全リピートＯＮ", true},
        {nullptr, nullptr},
        {"MICON_SET", "アイコンを、スタートアップにも、登録する (&S)"},
        {"MICON_DEL", "アイコンを、スタートアップから、削除する (&S)"},
        {"MDESK_SET", "アイコンを、デスクトップにも、登録する (&D)"},
        {"MDESK_DEL", "アイコンを、デスクトップから、削除する (&D)"},
        {nullptr, nullptr},
        {"MO_CDVSET", "すべてのＣＤで、音が出るようにする"},
        {"MO_CD_SELECT", "ＣＤ再生対象の切替をW3.1方式にする", true},
        {nullptr, nullptr},
        {"MO_REC_MAX", "自動、録音最大サイズ表示ON", true},
        {"MR_MAXSIZE", "録音最大サイズ表示"},
        {nullptr, nullptr},
        {"MO_SetNowTime_Select", "立ち上げ、時刻設定ON", true},
        {"MO_SetNowTime", "現在の時刻設定"},
    });
}

void buildHelpMenu(QMenuBar& bar, Commands& c) {
    QMenu* m = topMenu(bar, c, "MHelp0", "ﾍﾙﾌﾟ(&H)");
    c.addItems(m, {
        {"HELP_MOKUJI", "ヘルプ...(&H)"},
        {"HELP_KEYWORD", "キーワードで検索...(&K)"},
        {"HELP3", "ミニヘルプＯＮ(&M)", true},
        {nullptr, nullptr},
        {"MHELP_VERCUT", "ﾊﾞｰｼﾞｮﾝ番号削除...(&C)"},
        {"MQ_A", "問い合わせ先...(&Q)"},
        {"HELP2", "パージョン情報...(&V)"},
    });
}

}  // namespace

void buildMainMenu(QMenuBar& bar, Commands& commands) {
    bar.setObjectName(QStringLiteral("MainMenu1"));
    buildStartMenu(bar, commands);
    buildRecordingMenu(bar, commands);
    buildOptionsMenu(bar, commands);
    buildHelpMenu(bar, commands);
}

}  // namespace sondex
