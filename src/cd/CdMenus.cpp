#include "cd/CdMenus.h"

#include "ui/Commands.h"

#include <QAction>
#include <QMenu>

namespace sondex {

CdMenuCommands buildCdMenus(QWidget& owner, Commands& c) {
    CdMenuCommands s;
    QMenu* drives = s.PopupMenu3 = c.addMenu(&owner, "PopupMenu3");
    s.TL00 = c.add(drives, "TL00", "CDDA再生対象ﾄﾞﾗｲﾌﾞの選択");
    s.TL00->setEnabled(false);
    drives->addSeparator();
    for (int k = 0; k < 26; ++k) {
        const QByteArray name = "D" + QByteArray::number(k);
        QAction* drive = s.drives[static_cast<size_t>(k)] =
            c.add(drives, name.constData(), QString(QChar(u'A' + k)) + u':', true);
        drive->setData(k);
        drive->setVisible(false);  // only drives that exist are shown
    }
    drives->addSeparator();
    s.TL01 = c.add(drives, "TL01", "このメニューを閉じる");

    QMenu* lb = s.PopupMenuLB = c.addMenu(&owner, "PopupMenuLB");
    s.PLBTIchiran = c.add(lb, "PLBTIchiran", "ﾄﾗｯｸ／ﾀｲﾄﾙ／ｱｰﾁｽﾄ名一覧再表示");

    QMenu* search = s.PopupMenu_CD = c.addMenu(&owner, "PopupMenu_CD");
    s.PCD_ALL_CD = c.add(search, "PCD_ALL_CD", "全CDサーチ （CD単位 @）");
    s.PCD_1_CD = c.add(search, "PCD_1_CD", "1CDサーチ （CD単位 @）");
    s.PCD_ALL_TR = c.add(search, "PCD_ALL_TR", "全CDサーチ （トラック単位 番号）");
    s.PCD_1_TR = c.add(search, "PCD_1_TR", "1CDサーチ （トラック単位 番号）");
    search->addSeparator();
    s.PCD_X = c.add(search, "PCD_X", "キャンセル");
    return s;
}

}  // namespace sondex
