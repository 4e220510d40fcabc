#include "platform/SystemClock.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusVariant>

namespace sondex {
namespace {

const QString kService = QStringLiteral("org.freedesktop.timedate1");
const QString kPath = QStringLiteral("/org/freedesktop/timedate1");

// Long enough to type a password into the polkit prompt.
constexpr int kSetTimeoutMs = 5 * 60 * 1000;
constexpr int kQueryTimeoutMs = 10 * 1000;

SystemClock::Result refusal(const QDBusError& error) {
    const QString name = error.name();
    if (name == u"org.freedesktop.timedate1.AutomaticTimeSyncEnabled")
        return {SystemClock::Outcome::NetworkTimeOn, error.message()};
    if (error.type() == QDBusError::AccessDenied ||
        name == u"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired")
        return {SystemClock::Outcome::PermissionRefused, error.message()};
    const QString text =
        error.message().isEmpty() ? name : error.message() + QStringLiteral(" (") + name + u')';
    return {SystemClock::Outcome::Failed, text};
}

}  // namespace

SystemClock::Result TimedatedClock::setLocalTime(const QDateTime& moment) {
    if (!moment.isValid()) return {Outcome::Failed, QStringLiteral("日時が正しくありません")};
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        return {Outcome::Failed,
                QStringLiteral("システムの D-Bus に接続できません: ") + bus.lastError().message()};
    }

    // Asked first, so that the user is not prompted for a password only to be
    // told that network time would undo the change.
    QDBusMessage query = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    query << kService << QStringLiteral("NTP");
    const QDBusMessage ntp = bus.call(query, QDBus::Block, kQueryTimeoutMs);
    if (ntp.type() == QDBusMessage::ErrorMessage) return refusal(QDBusError(ntp));
    if (!ntp.arguments().isEmpty() &&
        qvariant_cast<QDBusVariant>(ntp.arguments().constFirst()).variant().toBool())
        return {Outcome::NetworkTimeOn, QString()};

    QDBusMessage set =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("SetTime"));
    set << static_cast<qlonglong>(moment.toMSecsSinceEpoch() * 1000) << false << true;
    // A recording may be running: its timers must not stall behind the prompt.
    const QDBusMessage reply = bus.call(set, QDBus::BlockWithGui, kSetTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) return refusal(QDBusError(reply));
    return {Outcome::Done, QString()};
}

}  // namespace sondex
