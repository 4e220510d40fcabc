#include "core/AutomaticName.h"

#include <QFileInfo>

namespace sondex {

namespace {

// Anything but a folder takes a name: a file, a link to one, a device node.
bool nameIsTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

}  // namespace

std::optional<QString> nextAutomaticName(const QString& recordingFolder) {
    for (int number = 0; number <= kLastAutomaticNumber; ++number) {
        const QString candidate = recordingFolder + QStringLiteral("wav") +
                                  QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0')) +
                                  QStringLiteral(".wav");
        if (!nameIsTaken(candidate)) return candidate;
    }
    return std::nullopt;
}

QString testRecordingName(const QString& recordingFolder) {
    return recordingFolder + QStringLiteral("wav") + QStringLiteral("test.wav");
}

}  // namespace sondex
