#include "core/LogLines.h"

#include "platform/JapaneseCalendar.h"
#include "core/PrintfText.h"

namespace sondex::loglines {

using printf_text::grouped;
using printf_text::rightAligned;

namespace {

QString twoDigits(qint64 value) {
    return QString::number(value).rightJustified(2, u'0');
}

QString withoutFolder(const QString& path) {
    return path.mid(path.lastIndexOf(u'/') + 1);
}

constexpr QChar kBlank = u' ';
constexpr QLatin1String kTwoBlanks("  ");

}  // namespace

QString timestamp(const QDateTime& now) {
    return calendar::dateTimeText(now) + kBlank;
}

QString recordedSeconds(qint64 milliseconds) {
    return QString::number(milliseconds / 1000);
}

QString recordedTime(qint64 milliseconds) {
    return twoDigits(milliseconds / 60000) + u':' + twoDigits(milliseconds / 1000 % 60) + u':' +
           twoDigits(milliseconds / 10 % 100);
}

QString cdText(const CdTexts& cd) {
    const bool wholeDisc = cd.track == QStringLiteral("@");
    const QString text =
        wholeDisc ? QString(cd.discTitle + kTwoBlanks + cd.artist)
                  : QString(cd.trackName + kTwoBlanks + cd.discTitle + kTwoBlanks + cd.artist);
    const QString unknown = wholeDisc ? QStringLiteral("--  --") : QStringLiteral("--  --  --");
    if (text != unknown) return text;
    return QStringLiteral("ＣＤ番号：") + cd.discIdentity + kBlank + cd.volumeLabel;
}

QString manualLine(const WavSummary& wav, const Saved& saved, const QDateTime& now) {
    if (!wav.ok())
        return saved.path + kTwoBlanks + recordedSeconds(saved.milliseconds) + kBlank +
               timestamp(now);
    // "%5s%8s%13.0n %20s %s %s"
    return rightAligned(wav.formatCode, 5) + rightAligned(wav.duration, 8) +
           grouped(wav.declaredSize, 13) + kBlank + rightAligned(wav.fileDate, 20) + kBlank +
           wav.fileName + kBlank + wav.folder;
}

QString musicLine(const WavSummary& wav, const Saved& saved, const QString& endSeconds,
                  const QString& musicFile, const QDateTime& now) {
    const QString played = musicFile.isEmpty() ? timestamp(now) : withoutFolder(musicFile);
    if (!wav.ok())
        return saved.path + kTwoBlanks + recordedSeconds(saved.milliseconds) + kBlank + endSeconds +
               kBlank + played;
    // "%5s%8s%13.0n %s %s <%s %s"
    return rightAligned(wav.formatCode, 5) + rightAligned(wav.duration, 8) +
           grouped(wav.declaredSize, 13) + kBlank + wav.fileName + kBlank + wav.folder +
           QStringLiteral(" <") + endSeconds + kBlank + played;
}

QString cdLine(const WavSummary& wav, const Saved& saved, const CdTexts& cd) {
    // "%4s %2s"
    const QString tracks = rightAligned(cd.trackRange, 4) + kBlank + rightAligned(cd.track, 2);
    if (!wav.ok())
        return saved.path + kBlank + cd.drive + kBlank + tracks + kBlank +
               recordedTime(saved.milliseconds) + kBlank + cd.trackTime + kTwoBlanks + cdText(cd);
    // "%5s%6s %s %s %s %s %s  %s"
    return rightAligned(wav.formatCode, 5) + rightAligned(wav.duration, 6) + kBlank + wav.fileName +
           kBlank + wav.folder + kBlank + cd.drive + kBlank + tracks + kBlank + cd.trackTime +
           kTwoBlanks + cdText(cd);
}

}  // namespace sondex::loglines
