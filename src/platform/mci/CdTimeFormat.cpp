#include "platform/mci/CdTimeFormat.h"

#include <QStringList>

namespace sondex::mci {

namespace {

using cd::kFramesPerSecond;

// The numbers of a "a:b:c" text; nothing when a field is empty, no number or
// longer than any position of a disc needs, or when there are more fields than allowed.
std::optional<QList<qint64>> fieldsOf(const QString& text, qsizetype maxFields, qsizetype maxDigits = 6) {
    const QStringList parts = text.split(u':');
    if (parts.size() > maxFields) return std::nullopt;
    QList<qint64> numbers;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > maxDigits) return std::nullopt;
        for (const QChar c : part)
            if (!c.isDigit() || c.unicode() > u'9') return std::nullopt;
        numbers.append(part.toLongLong());
    }
    return numbers;
}

// Minutes, seconds and frames as an address; the frame field carries as msfFrames reads it.
std::optional<qint64> msfAddress(QList<qint64> fields) {
    while (fields.size() < 3) fields.append(0);
    if (fields[1] > 99 || fields[2] > 99) return std::nullopt;
    return cd::msfFrames(QStringLiteral("%1:%2:%3")
                             .arg(fields[0])
                             .arg(fields[1], 2, 10, QLatin1Char('0'))
                             .arg(fields[2], 2, 10, QLatin1Char('0')));
}

}  // namespace

int cdTrackAt(const cd::DiscLayout& disc, qint64 address) {
    int track = disc.firstTrack();
    for (const cd::TrackEntry& entry : disc.tracks)
        if (entry.start <= address) track = entry.number;
    return track;
}

QString cdPositionText(const cd::DiscLayout& disc, qint64 address, CdTimeFormat format) {
    switch (format) {
    case CdTimeFormat::Msf: return cd::msfText(address);
    case CdTimeFormat::Milliseconds: return QString::number(address * 1000 / kFramesPerSecond);
    case CdTimeFormat::Tmsf: break;
    }
    const int track = cdTrackAt(disc, address);
    const cd::TrackEntry* entry = disc.track(track);
    const qint64 offset = entry ? address - entry->start : 0;
    return QStringLiteral("%1:").arg(track, 2, 10, QLatin1Char('0')) + cd::msfText(offset);
}

QString cdLengthText(qint64 frames, CdTimeFormat format) {
    if (format == CdTimeFormat::Milliseconds) return QString::number(frames * 1000 / kFramesPerSecond);
    return cd::msfText(frames);
}

std::optional<qint64> cdPositionAddress(const cd::DiscLayout& disc, const QString& text,
                                        CdTimeFormat format) {
    std::optional<qint64> address;
    if (format == CdTimeFormat::Milliseconds) {
        if (const auto fields = fieldsOf(text, 1, 10)) address = fields->front() * kFramesPerSecond / 1000;
    } else if (format == CdTimeFormat::Msf) {
        if (const auto fields = fieldsOf(text, 3)) address = msfAddress(*fields);
    } else if (const auto fields = fieldsOf(text, 4)) {
        const cd::TrackEntry* track = disc.track(int(qMin<qint64>(fields->front(), 100)));
        const auto offset = msfAddress(fields->mid(1));
        if (track && offset) address = track->start + *offset;
    }
    if (!address || disc.tracks.isEmpty() || *address > disc.leadOut) return std::nullopt;
    return address;
}

}  // namespace sondex::mci
