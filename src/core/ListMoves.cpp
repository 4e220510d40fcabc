#include "core/ListMoves.h"

#include <algorithm>

namespace sondex::listmoves {

QList<int> validRows(QList<int> rows, qsizetype size) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.removeIf([size](int row) { return row < 0 || row >= size; });
    return rows;
}

QStringList takeRows(QStringList& list, QList<int> rows) {
    rows = validRows(std::move(rows), list.size());
    QStringList taken;
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) taken.prepend(list.takeAt(*row));
    return taken;
}

QList<int> moveBlock(QStringList& list, QList<int> rows, int direction) {
    rows = validRows(std::move(rows), list.size());
    if (rows.isEmpty()) return {};
    const QStringList taken = takeRows(list, rows);
    const int target = std::clamp(rows.first() + direction, 0, static_cast<int>(list.size()));
    QList<int> landed;
    for (qsizetype k = 0; k < taken.size(); ++k) {
        list.insert(target + k, taken[k]);
        landed.append(target + static_cast<int>(k));
    }
    return landed;
}

}  // namespace sondex::listmoves
