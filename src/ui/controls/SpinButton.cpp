#include "ui/controls/SpinButton.h"

#include <QToolButton>

namespace sondex {

namespace {

QToolButton* makeArrow(QWidget* parent, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(400);
    button->setAutoRepeatInterval(100);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent), up_(makeArrow(this, Qt::UpArrow)), down_(makeArrow(this, Qt::DownArrow)) {
    connect(up_, &QToolButton::clicked, this, &SpinButton::upClick);
    connect(down_, &QToolButton::clicked, this, &SpinButton::downClick);
    resize(16, 24);
}

void SpinButton::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace sondex
