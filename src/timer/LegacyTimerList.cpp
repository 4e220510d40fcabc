#include "timer/LegacyTimerList.h"

#include <QFile>
#include <QFileInfo>

namespace sondex {

void adoptLegacyTimerList(const QString& programFolder, const QString& productKey,
                          const std::function<bool(const QString& from, const QString& to)>& rename) {
    const QString legacy = programFolder + productKey + QStringLiteral("JK.LIS");
    const QString firstGroup = programFolder + QStringLiteral("DAY000.day");
    if (QFileInfo::exists(legacy) && !QFileInfo::exists(firstGroup) && !rename(legacy, firstGroup)) return;
    QFile::remove(legacy);
}

void adoptLegacyTimerList(const QString& programFolder, const QString& productKey) {
    adoptLegacyTimerList(programFolder, productKey,
                         [](const QString& from, const QString& to) { return QFile::rename(from, to); });
}

}  // namespace sondex
