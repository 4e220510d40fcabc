#include "timer/TimerFiles.h"

namespace sondex::timerfiles {

QString subListFileName(int mode, int index, const QString& groupName) {
    switch (mode) {
    case Weekdays:
        return index > -1 ? QStringLiteral("sondexf%1.lis").arg(index) : QString();
    case Weekly:
        return index > -1 ? QStringLiteral("sondexw%1.lis").arg(index) : QString();
    default:
        return groupName.isEmpty() ? QString() : groupName + QStringLiteral(".day");
    }
}

}  // namespace sondex::timerfiles
