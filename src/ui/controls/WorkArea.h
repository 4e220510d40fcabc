#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace sondex {

// Moves a window of the given size so it lies inside the work area: first
// not past its right and bottom edges, then not before its left and top (so
// a window larger than the work area keeps its top left corner inside).
QPoint clampIntoWorkArea(QPoint topLeft, QSize size, const QRect& workArea);

}  // namespace sondex
