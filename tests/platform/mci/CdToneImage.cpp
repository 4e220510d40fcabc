#include "CdToneImage.h"

#include "TestImages.h"
#include "platform/cd/Msf.h"

#include <QDir>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace sondex::mci::test {

QString writeToneImage(const QString& folder, const QString& name, int tracks, int trackSeconds,
                       double frequency, double amplitude) {
    const qint64 frames = qint64(trackSeconds) * 44100;
    QByteArray bin(frames * 4, Qt::Uninitialized);
    for (qint64 i = 0; i < frames; ++i) {
        const auto v = qint16(std::lround(32767 * amplitude * std::sin(2 * std::numbers::pi * frequency * double(i) / 44100)));
        qToLittleEndian<qint16>(v, bin.data() + 4 * i);
        qToLittleEndian<qint16>(v, bin.data() + 4 * i + 2);
    }
    sondex::cd::test::writeText(folder, name + QStringLiteral(".bin"), bin);
    QByteArray cue;
    for (int t = 1; t <= tracks; ++t)
        cue += "FILE \"" + name.toUtf8() + ".bin\" BINARY\r\n" +
               QStringLiteral("  TRACK %1 AUDIO\r\n    INDEX 01 00:00:00\r\n").arg(t, 2, 10, QLatin1Char('0')).toUtf8();
    return sondex::cd::test::writeText(folder, name + QStringLiteral(".cue"), cue);
}

QString writeSamplesImage(const QString& folder, const QString& name,
                          const std::vector<qint16>& samples) {
    return writeTracksImage(folder, name, {samples});
}

QString writeTracksImage(const QString& folder, const QString& name,
                         const std::vector<std::vector<qint16>>& tracks) {
    constexpr qsizetype kSector = 2352;
    QByteArray bin;
    QByteArray cue = "FILE \"" + name.toUtf8() + ".bin\" BINARY\r\n";
    for (size_t t = 0; t < tracks.size(); ++t) {
        const qsizetype sector = bin.size() / kSector;
        cue += QStringLiteral("  TRACK %1 AUDIO\r\n    INDEX 01 %2\r\n")
                   .arg(t + 1, 2, 10, QLatin1Char('0'))
                   .arg(sondex::cd::msfText(sector))
                   .toUtf8();
        bin.append(reinterpret_cast<const char*>(tracks[t].data()), qsizetype(tracks[t].size() * 2));
        bin.append(QByteArray((kSector - bin.size() % kSector) % kSector, '\0'));
    }
    sondex::cd::test::writeText(folder, name + QStringLiteral(".bin"), bin);
    return sondex::cd::test::writeText(folder, name + QStringLiteral(".cue"), cue);
}

void writeCdDrives(const QString& configFolder, QChar letter, const QString& target) {
    QDir().mkpath(configFolder);
    sondex::cd::test::writeText(configFolder, QStringLiteral("CDDRIVES.INI"),
                        QStringLiteral("[CDDRIVES]\r\n%1=%2\r\n").arg(letter, target).toUtf8());
}

}  // namespace sondex::mci::test
