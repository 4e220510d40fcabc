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
        // Said once: the timer starts again after every take.
        if (!reported_) qCInfo(lcSleep) << "no system bus; sleep is not held off:" << bus.lastError().message();
        reported_ = true;
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << QStringLiteral("SONDEX")
         << QStringLiteral("時刻タイマー録音待ち") << QStringLiteral("block");
    // A logind that does not answer must not hold up the window for long.
    const QDBusReply<QDBusUnixFileDescriptor> reply = bus.call(call, QDBus::Block, 2000);
    if (!reply.isValid()) {
        if (!reported_) qCInfo(lcSleep) << "logind refused the sleep lock:" << reply.error().message();
        reported_ = true;
        return;
    }
    lock_ = reply.value();
}

// Dropping the last copy of the descriptor closes it, which ends the lock.
void LogindSleepInhibitor::release() {
    lock_ = QDBusUnixFileDescriptor();
}

}  // namespace sondex
