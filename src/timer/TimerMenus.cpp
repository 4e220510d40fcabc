#include "timer/TimerMenus.h"

#include "ui/Commands.h"

#include <QAction>
#include <QMenu>

namespace sondex {

TimerMenuCommands buildTimerMenus(QWidget& owner, Commands& c) {
    TimerMenuCommands s;
    QMenu* entries = s.PopupMenu_JK = c.addMenu(&owner, "PopupMenu_JK");
    s.PJK_CLR = c.add(entries, "PJK_CLR", "削除（選択のみ）");
    s.PJK_CLR_ALL = c.add(entries, "PJK_CLR_ALL", "すべて削除");
    entries->addSeparator();
    s.PJK_X = c.add(entries, "PJK_X", "キャンセル");

    QMenu* hours = s.PopupMenu_JK_H = c.addMenu(&owner, "PopupMenu_JK_H");
    s.TM_J0 = c.add(hours, "TM_J0", "現在時");
    s.TM_J1 = c.add(hours, "TM_J1", "00");
    s.TM_J2 = c.add(hours, "TM_J2", "06");
    s.TM_J3 = c.add(hours, "TM_J3", "12");
    s.TM_J4 = c.add(hours, "TM_J4", "18");
    QMenu* minutes = s.PopupMenu_JK_M = c.addMenu(&owner, "PopupMenu_JK_M");
    s.TM_M0 = c.add(minutes, "TM_M0", "現在分");
    s.TM_M1 = c.add(minutes, "TM_M1", "00");
    s.TM_M2 = c.add(minutes, "TM_M2", "15");
    s.TM_M3 = c.add(minutes, "TM_M3", "30");
    s.TM_M4 = c.add(minutes, "TM_M4", "45");
    // Each pick carries its value; -1 stands for the current hour or minute.
    const int hourTags[] = {-1, 0, 6, 12, 18};
    const int minuteTags[] = {-1, 0, 15, 30, 45};
    QAction* const hourPicks[] = {s.TM_J0, s.TM_J1, s.TM_J2, s.TM_J3, s.TM_J4};
    QAction* const minutePicks[] = {s.TM_M0, s.TM_M1, s.TM_M2, s.TM_M3, s.TM_M4};
    for (int i = 0; i < 5; ++i) {
        hourPicks[i]->setData(hourTags[i]);
        minutePicks[i]->setData(minuteTags[i]);
    }
    return s;
}

}  // namespace sondex
