#include "ui/ToolTipSwitch.h"

#include <QEvent>

namespace sondex {

ToolTipSwitch::ToolTipSwitch(std::function<bool()> shown, QObject* parent)
    : QObject(parent), shown_(std::move(shown)) {}

bool ToolTipSwitch::eventFilter(QObject*, QEvent* event) {
    return event->type() == QEvent::ToolTip && !shown_();
}

}  // namespace sondex
