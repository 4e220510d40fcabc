#include "platform/cd/CueImageDrive.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace sondex::cd {

CueImageDrive::CueImageDrive(QString cuePath) : cuePath_(std::move(cuePath)) {}

DriveState CueImageDrive::state() {
    return QFileInfo(cuePath_).isFile() ? DriveState::Ready : DriveState::NoDisc;
}

QString CueImageDrive::resolveFile(const QString& cueFolder, const QString& name) {
    QString native = name;
    native.replace(u'\\', u'/');
    const QString direct = QDir(cueFolder).filePath(native);
    if (QFileInfo(direct).isFile())
        return direct;
    const QString base = native.section(u'/', -1);
    if (base.isEmpty())
        return QString();
    const QDir folder(cueFolder);
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(base, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return QString();
}

DiscReading CueImageDrive::readDisc() {
    loaded_ = false;
    files_.clear();
    layout_ = {};
    DiscReading r;
    QFile sheetFile(cuePath_);
    if (!sheetFile.open(QIODevice::ReadOnly)) {
        r.error = QStringLiteral("キューシートを開けません：") + cuePath_;
        return r;
    }
    if (sheetFile.size() > kMaxSheetBytes) {
        r.error = CueReading{{}, CueError::TooLarge, 0}.message();
        return r;
    }
    const CueReading reading = parseCueSheet(sheetFile.readAll());
    if (reading.error != CueError::None) {
        r.error = reading.message();
        return r;
    }
    const QString folder = QFileInfo(cuePath_).absolutePath();
    QList<qint64> sizes;
    for (const CueFile& f : reading.sheet.files) {
        const QString path = resolveFile(folder, f.name);
        auto file = std::make_unique<QFile>(path);
        if (path.isEmpty() || !file->open(QIODevice::ReadOnly)) {
            r.error = QStringLiteral("イメージファイルが見つかりません：") + f.name;
            files_.clear();
            return r;
        }
        sizes.append(file->size());
        files_.push_back(std::move(file));
    }
    layout_ = layOutImage(reading.sheet, sizes);
    if (layout_.error != CueError::None) {
        r.error = QStringLiteral("トラック") + QString::number(layout_.track) + QStringLiteral("：") +
                  CueReading{{}, layout_.error, 0}.message();
        files_.clear();
        return r;
    }
    loaded_ = true;
    r.disc = layout_.disc;
    return r;
}

bool CueImageDrive::readSector(const ImageSegment& segment, qint64 lba, char* out) {
    if (!segment.audio)
        return false;
    if (segment.file < 0) {
        std::memset(out, 0, kAudioSectorBytes);
        return true;
    }
    QFile& file = *files_[size_t(segment.file)];
    if (!file.seek(segment.offset + (lba - segment.start) * segment.sectorSize) ||
        file.read(out, kAudioSectorBytes) != kAudioSectorBytes)
        return false;
    if (segment.bigEndian) {
        for (int i = 0; i + 1 < kAudioSectorBytes; i += 2)
            std::swap(out[i], out[i + 1]);
    }
    return true;
}

bool CueImageDrive::readAudio(qint64 address, int count, char* out) {
    if (!loaded_ && !readDisc().ok())
        return false;
    const qint64 first = address - kLeadInFrames;
    for (qint64 lba = first; lba < first + count; ++lba) {
        const auto segment = std::find_if(layout_.segments.cbegin(), layout_.segments.cend(),
                                          [lba](const ImageSegment& s) {
                                              return lba >= s.start && lba < s.start + s.count;
                                          });
        if (segment == layout_.segments.cend() ||
            !readSector(*segment, lba, out + (lba - first) * kAudioSectorBytes))
            return false;
    }
    return true;
}

DoorResult CueImageDrive::setDoorOpen(bool) {
    return DoorResult::NotSupported;
}

}  // namespace sondex::cd
