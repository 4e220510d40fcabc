#include "core/DeviceCommand.h"

namespace sondex {

QString deviceCommand(QStringView verb, Alias alias, QStringView rest) {
    QString command = verb.toString() + u' ' + aliasName(alias);
    if (!rest.isEmpty()) command += u' ' + rest.toString();
    return command;
}

QString quotedPath(const QString& path) {
    QString escaped = path;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

}  // namespace sondex
