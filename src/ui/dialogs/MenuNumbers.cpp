#include "ui/dialogs/MenuNumbers.h"

#include "core/BoxAnswer.h"
#include "ui/dialogs/TTmSETBoxDlg.h"

#include <QList>

#include <algorithm>

namespace sondex {
namespace {

const QString kSeconds = QStringLiteral("秒");

const QList<MenuNumberEntry>& entries() {
    static const QList<MenuNumberEntry> table = {
        {QStringLiteral("TMBuf"), QStringLiteral("BufCount"), 2,
         QStringLiteral("録音buffer時間設定："), QStringLiteral(" (2-9秒です。初期値4秒)"),
         QStringLiteral("録音buffer時間"), 2, 9, QStringLiteral("録音bufferの設定 "), QString()},
        {QStringLiteral("MSHUDO"), QStringLiteral("SHUDO"), 0,
         QStringLiteral("手動録音タイマー設定："), QStringLiteral("(90000秒まで。0秒でOFF)"),
         QStringLiteral("手動録音タイマー"), 0, 90000, QString(), QString()},
        {QStringLiteral("MO_NR_WAIT"), QStringLiteral("NR_WAIT"), 3,
         QStringLiteral("NOT_READY待ち時間設定："), QStringLiteral("(3-180秒 初期値10秒)"),
         QStringLiteral("NOT_READY待ち時間"), 3, 180, QStringLiteral("NOT_READY待ち時間 "),
         QString()},
        {QStringLiteral("MINTORO"), QStringLiteral("INTORO"), 0,
         QStringLiteral("イントロ再生／録音時間設定："), QStringLiteral(" (5999秒まで。0秒でOFF)"),
         QStringLiteral("イントロ時間"), 0, 5999, QStringLiteral("イントロ再／録 "),
         QStringLiteral("イントロ再／録 ＯＦＦ")},
        {QStringLiteral("MO_CD_TRACK_PLUS"), QStringLiteral("Track_END_PLUS"), 0,
         QStringLiteral("CD_Track_ENDプラス時間設定："), QStringLiteral(" (10秒まで。0秒でOFF)"),
         QStringLiteral("CD_Track_ENDプラス時間"), 0, 10, QStringLiteral("CD_Track_ENDプラス "),
         QStringLiteral("CD_Track_ENDプラス ＯＦＦ")},
    };
    return table;
}

}  // namespace

const MenuNumberEntry& menuNumberEntry(MenuNumberCommand command) {
    return entries().at(static_cast<qsizetype>(command));
}

QString menuNumberCaption(MenuNumberCommand command, int value) {
    const MenuNumberEntry& entry = menuNumberEntry(command);
    if (entry.captionPrefix.isEmpty()) return QString();
    if (value == 0 && !entry.offCaption.isEmpty()) return entry.offCaption;
    return entry.captionPrefix + QString::number(value) + kSeconds;
}

std::optional<MenuNumberChoice> askMenuNumber(TTmSETBoxDlg& dialog, MenuNumberCommand command,
                                              int current) {
    const MenuNumberEntry& entry = menuNumberEntry(command);
    dialog.setMsg0(QStringLiteral(" "));
    dialog.setMsg1(entry.msg1);
    dialog.setMsg2(entry.msg2);
    dialog.setMinCount(entry.minCount);
    dialog.setHms(kSeconds);
    dialog.setTCount(current);
    if (dialog.Execute(entry.subject) != BoxAnswer::Ok) return std::nullopt;
    const int value = std::clamp(dialog.tCount(), entry.lowest, entry.highest);
    return MenuNumberChoice{value, menuNumberCaption(command, value)};
}

}  // namespace sondex
