#include "ui/PopupOpener.h"

#include "core/RecorderFlags.h"

#include <QAbstractScrollArea>
#include <QMenu>
#include <QMouseEvent>

namespace sondex {

PopupOpener::PopupOpener(RecorderFlags& flags, QObject* parent) : QObject(parent), flags_(flags) {}

void PopupOpener::attach(QWidget* component, QMenu* menu, Qt::MouseButtons buttons) {
    // List boxes receive their mouse presses in their viewport.
    QObject* target = component;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(component)) target = area->viewport();
    bindings_.insert(target, {menu, buttons});
    target->installEventFilter(this);
    clearsBusyOnOpening(menu);
}

void PopupOpener::clearsBusyOnOpening(QMenu* menu) {
    if (menu->property("sondexClearsBusy").toBool()) return;
    menu->setProperty("sondexClearsBusy", true);
    connect(menu, &QMenu::aboutToShow, this, [this] { flags_.messageBusy = false; });
}

bool PopupOpener::open(QMenu* menu, const QPoint& globalPos) {
    if (flags_.messageBusy) return false;
    flags_.messageBusy = true;
    menu->popup(globalPos);
    if (!menu->isVisible()) flags_.messageBusy = false;
    return true;
}

bool PopupOpener::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) return false;
    const auto it = bindings_.constFind(watched);
    if (it == bindings_.cend()) return false;
    auto* press = static_cast<QMouseEvent*>(event);
    if (!(it->buttons & press->button())) return false;
    open(it->menu, press->globalPosition().toPoint());
    return false;
}

}  // namespace sondex
