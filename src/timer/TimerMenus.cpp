#include "timer/TimerMenus.h"

#include "ui/Commands.h"

#include <QAction>
#include <QMenu>

namespace sondex {

void buildTimerMenus(QWidget& owner, Commands& c) {
    QMenu* entries = c.addMenu(&owner, "PopupMenu_JK");
    c.addItems(entries, {
        {"PJK_CLR", "削除（選択のみ）"},
        {"PJK_CLR_ALL", "すべて削除"},
        {nullptr, nullptr},
        {"PJK_X", "キャンセル"},
    });

    QMenu* hours = c.addMenu(&owner, "PopupMenu_JK_H");
    c.addItems(hours, {{"TM_J0", "現在時"}, {"TM_J1", "00"}, {"TM_J2", "06"}, {"TM_J3", "12"}, {"TM_J4", "18"}});
    QMenu* minutes = c.addMenu(&owner, "PopupMenu_JK_M");
    c.addItems(minutes, {{"TM_M0", "現在分"}, {"TM_M1", "00"}, {"TM_M2", "15"}, {"TM_M3", "30"}, {"TM_M4", "45"}});
    // Each pick carries its value; -1 stands for the current hour or minute.
    const int hourTags[] = {-1, 0, 6, 12, 18};
    const int minuteTags[] = {-1, 0, 15, 30, 45};
    for (int i = 0; i < 5; ++i) {
        c[QByteArray("TM_J" + QByteArray::number(i)).constData()]->setData(hourTags[i]);
        c[QByteArray("TM_M" + QByteArray::number(i)).constData()]->setData(minuteTags[i]);
    }
}

}  // namespace sondex
