#include "CdToneImage.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace sondex::mci::test {

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

}  // namespace

QString writeToneImage(const QString& folder, const QString& name, int tracks, int trackSeconds,
                       double frequency, double amplitude) {
    const qint64 frames = qint64(trackSeconds) * 44100;
    QByteArray bin(frames * 4, Qt::Uninitialized);
    for (qint64 i = 0; i < frames; ++i) {
        const auto v = qint16(std::lround(32767 * amplitude * std::sin(2 * std::numbers::pi * frequency * double(i) / 44100)));
        qToLittleEndian<qint16>(v, bin.data() + 4 * i);
        qToLittleEndian<qint16>(v, bin.data() + 4 * i + 2);
    }
    const QDir dir(folder);
    writeFile(dir.filePath(name + QStringLiteral(".bin")), bin);
    QByteArray cue;
    for (int t = 1; t <= tracks; ++t)
        cue += "FILE \"" + name.toUtf8() + ".bin\" BINARY\r\n" +
               QStringLiteral("  TRACK %1 AUDIO\r\n    INDEX 01 00:00:00\r\n").arg(t, 2, 10, QLatin1Char('0')).toUtf8();
    const QString sheet = dir.filePath(name + QStringLiteral(".cue"));
    writeFile(sheet, cue);
    return sheet;
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
        cue += QStringLiteral("  TRACK %1 AUDIO\r\n    INDEX 01 %2:%3:%4\r\n")
                   .arg(t + 1, 2, 10, QLatin1Char('0'))
                   .arg(sector / 75 / 60, 2, 10, QLatin1Char('0'))
                   .arg(sector / 75 % 60, 2, 10, QLatin1Char('0'))
                   .arg(sector % 75, 2, 10, QLatin1Char('0'))
                   .toUtf8();
        bin.append(reinterpret_cast<const char*>(tracks[t].data()), qsizetype(tracks[t].size() * 2));
        bin.append(QByteArray((kSector - bin.size() % kSector) % kSector, '\0'));
    }
    const QDir dir(folder);
    writeFile(dir.filePath(name + QStringLiteral(".bin")), bin);
    const QString sheet = dir.filePath(name + QStringLiteral(".cue"));
    writeFile(sheet, cue);
    return sheet;
}

void writeCdDrives(const QString& configFolder, QChar letter, const QString& target) {
    QDir().mkpath(configFolder);
    writeFile(QDir(configFolder).filePath(QStringLiteral("CDDRIVES.INI")),
              QStringLiteral("[CDDRIVES]\r\n%1=%2\r\n").arg(letter, target).toUtf8());
}

}  // namespace sondex::mci::test
