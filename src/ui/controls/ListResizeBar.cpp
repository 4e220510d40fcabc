#include "ui/controls/ListResizeBar.h"

#include <QMouseEvent>

#include <algorithm>

namespace sondex {

ListResizeBar::ListResizeBar(QWidget* target, QWidget* parent) : QWidget(parent), target_(target) {
    setCursor(Qt::SizeVerCursor);
    setFixedHeight(kHeight);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Mid);
}

void ListResizeBar::moveTargetTop(int dy) {
    const int bottom = target_->y() + target_->height();
    int top = std::max(target_->y() + dy, kMinTop);
    top = std::min(top, bottom - kMinHeight);
    target_->setGeometry(target_->x(), top, target_->width(), bottom - top);
}

void ListResizeBar::mousePressEvent(QMouseEvent* event) {
    pressY_ = event->globalPosition().toPoint().y();
}

void ListResizeBar::mouseReleaseEvent(QMouseEvent* event) {
    const int dy = event->globalPosition().toPoint().y() - pressY_;
    if (dy != 0) moveTargetTop(dy);
}

}  // namespace sondex
