#include "recording/RecordingMenus.h"

#include "ui/Commands.h"

#include <QMenu>

namespace sondex {

RecordingMenuCommands buildRecordingMenus(QWidget& owner, Commands& c) {
    RecordingMenuCommands s;
    QMenu* rate = s.PopupMenu_Rate = c.addMenu(&owner, "PopupMenu_Rate");
    s.PR_CD = c.add(rate, "PR_CD", "音楽CD用 44100/16/ｽﾃﾚｵ に設定する");
    s.PR_RADIO = c.add(rate, "PR_RADIO", "ラジオの音質 22050/8/ﾓﾉﾗﾙ");
    s.PR_TEL = c.add(rate, "PR_TEL", "電話の音質 11025/8/ﾓﾉﾗﾙ");
    rate->addSeparator();
    s.PR_REC_MAX = c.add(rate, "PR_REC_MAX", "自動、録音最大サイズ表示ON", true);
    s.PR_MAXSIZE = c.add(rate, "PR_MAXSIZE", "録音最大サイズ表示");
    rate->addSeparator();
    s.PR_RATE_X = c.add(rate, "PR_RATE_X", "キャンセル");

    QMenu* timer = s.PopupMenu_TM = c.addMenu(&owner, "PopupMenu_TM");
    s.PR_SHUDO = c.add(timer, "PR_SHUDO", "手動タイマー ＯＦＦ");
    s.PR_SHUDOREC_TM_END = c.add(timer, "PR_SHUDOREC_TM_END", "タイマー終了時、停止する", true);
    s.PR_TM_OFF = c.add(timer, "PR_TM_OFF", "手動タイマー強制OFF");
    timer->addSeparator();
    s.PR_JK = c.add(timer, "PR_JK", "時刻タイマー表示");
    timer->addSeparator();
    s.PR_SetNowTime_Select = c.add(timer, "PR_SetNowTime_Select", "立ち上げ、現在の時刻設定表示ON", true);
    s.PR_SetNowTime = c.add(timer, "PR_SetNowTime", "現在の時刻設定");
    timer->addSeparator();
    s.PR_TM_X = c.add(timer, "PR_TM_X", "キャンセル");
    return s;
}

}  // namespace sondex
