#include "ui/tray/QtTrayBackend.h"

#include <QCursor>
#include <QSystemTrayIcon>

namespace sondex {

QtTrayBackend::QtTrayBackend(QObject* parent) : QObject(parent) {}

QtTrayBackend::~QtTrayBackend() {
    qDeleteAll(icons_);
}

bool QtTrayBackend::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayBackend::add(int id, const QIcon& icon, const QString& tip) {
    if (icons_.contains(id)) {
        modify(id, icon, tip);
        return;
    }
    auto* shown = new QSystemTrayIcon(icon);
    shown->setToolTip(tip);
    // The desktop reports clicks, not presses and releases: a click is both,
    // so a press opens the menus as it does on a tray that reports presses.
    connect(shown, &QSystemTrayIcon::activated, this,
            [this, id](QSystemTrayIcon::ActivationReason reason) {
                const QPoint at = QCursor::pos();
                const auto send = [&](TrayMouse message) {
                    report(id, static_cast<int>(message), at);
                };
                switch (reason) {
                    case QSystemTrayIcon::Trigger:
                        send(TrayMouse::LeftDown);
                        send(TrayMouse::LeftUp);
                        break;
                    case QSystemTrayIcon::Context:
                        send(TrayMouse::RightDown);
                        send(TrayMouse::RightUp);
                        break;
                    case QSystemTrayIcon::DoubleClick:
                        send(TrayMouse::LeftDoubleClick);
                        break;
                    case QSystemTrayIcon::MiddleClick:
                        send(TrayMouse::MiddleDown);
                        send(TrayMouse::MiddleUp);
                        break;
                    case QSystemTrayIcon::Unknown:
                        break;
                }
            });
    icons_.insert(id, shown);
    shown->show();
}

void QtTrayBackend::modify(int id, const QIcon& icon, const QString& tip) {
    QSystemTrayIcon* shown = icons_.value(id);
    if (!shown) return;
    shown->setIcon(icon);
    shown->setToolTip(tip);
}

void QtTrayBackend::remove(int id) {
    delete icons_.take(id);
}

}  // namespace sondex
