#include "platform/SleepInhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QLoggingCategory>

namespace sondex {

namespace {
Q_LOGGING_CATEGORY(lcSleep, "sondex.sleep", QtInfoMsg)
}

void LogindSleepInhibitor::hold() {
    if (isHeld()) return;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        qCInfo(lcSleep) << "no system bus; sleep is not held off:" << bus.lastError().message();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << QStringLiteral("SONDEX")
         << QStringLiteral("時刻タイマー録音待ち") << QStringLiteral("block");
    const QDBusReply<QDBusUnixFileDescriptor> reply = bus.call(call);
    if (!reply.isValid()) {
        qCInfo(lcSleep) << "logind refused the sleep lock:" << reply.error().message();
        return;
    }
    lock_ = reply.value();
}

// Dropping the last copy of the descriptor closes it, which ends the lock.
void LogindSleepInhibitor::release() {
    lock_ = QDBusUnixFileDescriptor();
}

}  // namespace sondex
