#include "ui/controls/WorkArea.h"

#include <algorithm>

namespace sondex {

QPoint clampIntoWorkArea(QPoint topLeft, QSize size, const QRect& workArea) {
    int left = std::min(topLeft.x(), workArea.right() + 1 - size.width());
    int top = std::min(topLeft.y(), workArea.bottom() + 1 - size.height());
    left = std::max(left, workArea.left());
    top = std::max(top, workArea.top());
    return {left, top};
}

}  // namespace sondex
