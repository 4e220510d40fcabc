#include "recording/RecordingMenus.h"

#include "ui/Commands.h"

#include <QMenu>

namespace sondex {

void buildRecordingMenus(QWidget& owner, Commands& c) {
    QMenu* rate = c.addMenu(&owner, "PopupMenu_Rate");
    c.addItems(rate, {
        {"PR_CD", "音楽CD用 44100/16/ｽﾃﾚｵ に設定する"},
        {"PR_RADIO", "ラジオの音質 22050/8/ﾓﾉﾗﾙ"},
        {"PR_TEL", "電話の音質 11025/8/ﾓﾉﾗﾙ"},
        {nullptr, nullptr},
        {"PR_REC_MAX", "自動、録音最大サイズ表示ON", true},
        {"PR_MAXSIZE", "録音最大サイズ表示"},
        {nullptr, nullptr},
        {"PR_RATE_X", "キャンセル"},
    });

    QMenu* timer = c.addMenu(&owner, "PopupMenu_TM");
    c.addItems(timer, {
        {"PR_SHUDO", "手動タイマー ＯＦＦ"},
        {"PR_SHUDOREC_TM_END", "タイマー終了時、停止する", true},
        {"PR_TM_OFF", "手動タイマー強制OFF"},
        {nullptr, nullptr},
        {"PR_JK", "時刻タイマー表示"},
        {nullptr, nullptr},
        {"PR_SetNowTime_Select", "立ち上げ、現在の時刻設定表示ON", true},
        {"PR_SetNowTime", "現在の時刻設定"},
        {nullptr, nullptr},
        {"PR_TM_X", "キャンセル"},
    });
}

}  // namespace sondex
