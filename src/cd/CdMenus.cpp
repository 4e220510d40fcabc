#include "cd/CdMenus.h"

#include "ui/Commands.h"

#include <QAction>
#include <QMenu>

namespace sondex {

void buildCdMenus(QWidget& owner, Commands& c) {
    QMenu* drives = c.addMenu(&owner, "PopupMenu3");
    c.add(drives, "TL00", QStringLiteral("CDDA再生対象ﾄﾞﾗｲﾌﾞの選択"))->setEnabled(false);
    drives->addSeparator();
    for (int k = 0; k < 26; ++k) {
        const QByteArray name = "D" + QByteArray::number(k);
        QAction* drive = c.add(drives, name.constData(), QString(QChar(u'A' + k)) + u':', true);
        drive->setData(k);
        drive->setVisible(false);  // only drives that exist are shown
    }
    drives->addSeparator();
    c.add(drives, "TL01", QStringLiteral("このメニューを閉じる"));

    QMenu* lb = c.addMenu(&owner, "PopupMenuLB");
    c.addItems(lb, {{"PLBTIchiran", "ﾄﾗｯｸ／ﾀｲﾄﾙ／ｱｰﾁｽﾄ名一覧再表示"}});

    QMenu* search = c.addMenu(&owner, "PopupMenu_CD");
    c.addItems(search, {
        {"PCD_ALL_CD", "全CDサーチ （CD単位 @）"},
        {"PCD_1_CD", "1CDサーチ （CD単位 @）"},
        {"PCD_ALL_TR", "全CDサーチ （トラック単位 番号）"},
        {"PCD_1_TR", "1CDサーチ （トラック単位 番号）"},
        {nullptr, nullptr},
        {"PCD_X", "キャンセル"},
    });
}

}  // namespace sondex
