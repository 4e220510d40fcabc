#include "ui/controls/ClickWatch.h"

#include <QMouseEvent>
#include <QWidget>

namespace sondex {

ClickWatch::ClickWatch(QWidget* component, std::function<void()> action)
    : QObject(component), action_(std::move(action)) {
    component->installEventFilter(this);
}

void ClickWatch::onClick(QWidget* component, std::function<void()> action) {
    new ClickWatch(component, std::move(action));  // owned by the component
}

bool ClickWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* component = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton && component->rect().contains(mouse->position().toPoint())) action_();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace sondex
