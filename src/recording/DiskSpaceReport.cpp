#include "recording/DiskSpaceReport.h"

#include "core/PrintfText.h"
#include "platform/AppPaths.h"
#include "platform/JapaneseCalendar.h"

#include <algorithm>
#include <cmath>

namespace sondex::diskspace {

namespace {

using printf_text::grouped;
using printf_text::rightAligned;

// "%N.0n" of a fraction: rounded to a whole number first.
QString roundedGrouped(double value, int width) {
    return grouped(std::llround(value), width);
}

QString volumeLine(const char* label, const ReportVolume& volume, const RecordingFormat& format) {
    const QString head = QString::fromUtf8(label) + volume.name + u':';
    if (volume.freeBytes < 0) return head + rightAligned(unreadableText(), 15);
    return head + grouped(volume.freeBytes, 15) + QStringLiteral(" BytesFree  ") +
           roundedGrouped(minutes(volume.freeBytes, format), 5) + u'分';
}

QString rule() {
    return QString(65, u'-');
}

}  // namespace

QString unreadableText() {
    return QStringLiteral("読めません");
}

qint64 bytesPerMinute(const RecordingFormat& format) {
    return qint64{format.samplesPerSecond} * (format.bitsPerSample / 8) * format.channels * 60;
}

double minutes(qint64 bytes, const RecordingFormat& format) {
    const qint64 perMinute = bytesPerMinute(format);
    if (bytes <= 0 || perMinute <= 0) return 0;
    return static_cast<double>(bytes) / static_cast<double>(perMinute);
}

QString formatText(const RecordingFormat& format) {
    return QString::number(format.samplesPerSecond) + QStringLiteral("/ ") +
           QString::number(format.bitsPerSample) +
           (format.channels == 2 ? QStringLiteral("/ ｽﾃﾚｵ") : QStringLiteral("/ ﾓﾉﾗﾙ"));
}

LargestRecording largestRecording(const SizeReportInput& input) {
    const qint64 t = input.temporary.freeBytes;
    const qint64 r = input.recording.freeBytes;
    if (t < 0 || r < 0) return {};
    qint64 bytes = std::min(t, r);
    if (input.oneVolume) bytes /= 2;
    bytes = std::min(bytes, kLargestRecording);
    return {true, bytes / 1000000, minutes(bytes, input.format)};
}

QString sizeReport(const SizeReportInput& input) {
    const LargestRecording largest = largestRecording(input);
    const QString largestLine =
        QStringLiteral("最大録音サイズ ") +
        (largest.known ? grouped(largest.megabytes, 6) + QStringLiteral(" MBytes  ") +
                             roundedGrouped(largest.minutes, 5) + u'分'
                       : unreadableText());
    const QStringList lines{QStringLiteral("最大録音サイズ表示"),
                            QString(),
                            QStringLiteral("録音時使用ドライブ空きサイズ"),
                            volumeLine("一時ドライブ ", input.temporary, input.format),
                            volumeLine("登録ドライブ ", input.recording, input.format),
                            QString(),
                            formatText(input.format),
                            largestLine,
                            QStringLiteral("(2Gまで☆)")};
    return lines.join(u'\n');
}

namespace {

// An empty folder text is no folder: nothing looked at, 0 bytes.
FolderDisk folderDisk(DiskSpaceQueries& disks, const QString& folder) {
    return folder.isEmpty() ? FolderDisk{{}, {0, 0}, std::nullopt} : disks.folderDisk(folder);
}

ReportVolume reportVolume(const FolderDisk& disk, const QString& folder) {
    return {disk.mountPoint.isEmpty() ? paths::withoutTrailingSlash(folder) : disk.mountPoint,
            disk.space.freeBytes};
}

}  // namespace

SizeReportInput readSizeReport(DiskSpaceQueries& disks, const QString& temporaryFolder,
                               const QString& recordingFolder, const RecordingFormat& format) {
    const FolderDisk temporary = folderDisk(disks, temporaryFolder);
    const FolderDisk recording = folderDisk(disks, recordingFolder);
    return {reportVolume(temporary, temporaryFolder), reportVolume(recording, recordingFolder),
            onOneFileSystem(temporary, recording), format};
}

QList<ListedVolume> readListedVolumes(DiskSpaceQueries& disks, const QStringList& mountPoints) {
    QList<ListedVolume> volumes;
    for (const QString& mountPoint : mountPoints) {
        const FolderDisk disk = disks.folderDisk(mountPoint);
        volumes.append({mountPoint, disk.mountPoint == mountPoint ? disk.space : VolumeSpace{}});
    }
    return volumes;
}

QStringList driveList(const QList<ListedVolume>& volumes, const RecordingFormat& format,
                      const QDateTime& now) {
    QStringList lines{
        QStringLiteral("全ﾄﾞﾗｲﾌﾞ空きサイズ一覧　　 ") + calendar::dateTimeText(now) + u' ',
        QString(),
        QStringLiteral("ﾄﾞﾗｲﾌﾞ名:　空きサイズ　　　　　最大サイズ       ") + formatText(format),
        rule()};
    for (const ListedVolume& volume : volumes) {
        const VolumeSpace& s = volume.space;
        if (s.freeBytes < 0 || s.totalBytes < 0) {
            lines.append(u' ' + volume.name + QStringLiteral(": ディスクがありません・・・"));
            continue;
        }
        lines.append(u' ' + volume.name + u':' + grouped(s.freeBytes, 15) +
                     QStringLiteral(" Bytes  ") + grouped(s.totalBytes, 15) +
                     QStringLiteral(" Bytes  ") + roundedGrouped(minutes(s.freeBytes, format), 5) +
                     QStringLiteral("分/ ") + roundedGrouped(minutes(s.totalBytes, format), 5) +
                     u'分');
    }
    lines.append(rule());
    return lines;
}

}  // namespace sondex::diskspace
