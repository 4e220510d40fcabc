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
    QByteArray bin(reinterpret_cast<const char*>(samples.data()), qsizetype(samples.size() * 2));
    bin.append(QByteArray((2352 - bin.size() % 2352) % 2352, '\0'));
    const QDir dir(folder);
    writeFile(dir.filePath(name + QStringLiteral(".bin")), bin);
    const QString sheet = dir.filePath(name + QStringLiteral(".cue"));
    writeFile(sheet, "FILE \"" + name.toUtf8() +
                         ".bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n");
    return sheet;
}

void writeCdDrives(const QString& configFolder, QChar letter, const QString& target) {
    QDir().mkpath(configFolder);
    writeFile(QDir(configFolder).filePath(QStringLiteral("CDDRIVES.INI")),
              QStringLiteral("[CDDRIVES]\r\n%1=%2\r\n").arg(letter, target).toUtf8());
}

}  // namespace sondex::mci::test
