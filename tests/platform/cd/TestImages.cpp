#include "TestImages.h"

#include "platform/cd/FakeDiscDrive.h"
#include "platform/cd/Msf.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace sondex::cd::test {

QString writeText(const QString& folder, const QString& name, const QByteArray& text) {
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString writeImage(const QString& folder, const QString& name, const QList<int>& trackFrames) {
    QByteArray bin;
    QByteArray cue = "FILE \"" + name.toUtf8() + ".bin\" BINARY\r\n";
    qint64 sector = 0;
    for (qsizetype t = 0; t < trackFrames.size(); ++t) {
        cue += QStringLiteral("  TRACK %1 AUDIO\r\n    INDEX 01 %2\r\n")
                   .arg(t + 1, 2, 10, QLatin1Char('0'))
                   .arg(msfText(sector))
                   .toUtf8();
        for (int f = 0; f < trackFrames[t]; ++f, ++sector) {
            char data[kAudioSectorBytes];
            for (int i = 0; i < kAudioSectorBytes / 2; ++i)
                qToLittleEndian<qint16>(FakeDiscDrive::sampleAt(sector + kLeadInFrames, i), data + 2 * i);
            bin.append(data, kAudioSectorBytes);
        }
    }
    writeText(folder, name + QStringLiteral(".bin"), bin);
    return writeText(folder, name + QStringLiteral(".cue"), cue);
}

}  // namespace sondex::cd::test
