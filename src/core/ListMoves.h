#pragma once

#include <QList>
#include <QStringList>

// The editing rules the recorder's lists share (the CD lists, the music list).
namespace sondex::listmoves {

// The rows that exist in a list of `size` entries, ascending, each once.
QList<int> validRows(QList<int> rows, qsizetype size);

// The entries at `rows` land together, in their order, one place above
// (direction -1) or below (+1) the topmost of them, never outside the list.
// Returns the rows they hold afterwards.
QList<int> moveBlock(QStringList& list, QList<int> rows, int direction);

// Takes the entries at `rows` out of the list; returns them in list order.
QStringList takeRows(QStringList& list, QList<int> rows);

}  // namespace sondex::listmoves
