#include "platform/PowerOff.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>

namespace sondex {

PowerOff::Result LogindPowerOff::powerOff() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    call << false;  // not interactive
    const QDBusMessage reply = QDBusConnection::systemBus().call(call);
    if (reply.type() != QDBusMessage::ErrorMessage) return {true, false, 0};
    const QDBusError error(reply);
    const bool denied = error.type() == QDBusError::AccessDenied ||
                        error.name() == u"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired";
    // The error kind stands in for the system's error number in the message.
    return {false, denied, static_cast<int>(error.type())};
}

}  // namespace sondex
