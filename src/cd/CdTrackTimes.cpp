// The parts of the CD device access that read a disc already checked: the
// times of one track, its titles and the summary shown while it plays.
#include "cd/CdDeviceAccess.h"

#include "core/MciChannel.h"
#include "platform/cd/DiscTitles.h"
#include "platform/cd/Msf.h"

namespace sondex {

namespace {

// A track's own queries are asked again, as a drive busy finding the track
// may fail the first; the next track's start is a help only and asked once.
constexpr int kTrackQueryAttempts = 3;

}  // namespace

std::optional<QString> CdDeviceAccess::queryTimes(const QString& rest, int attempts) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (wait(u"status", rest) == 0) return reply();
    }
    return std::nullopt;
}

QString CdDeviceAccess::GetTrackTimes(int n, int count) {
    const auto start =
        queryTimes(QStringLiteral("position track ") + QString::number(n), kTrackQueryAttempts);
    if (!start) {
        disc_.trackStart.clear();
        return QString();
    }
    disc_.trackStart = *start;
    const auto reported =
        queryTimes(QStringLiteral("length track ") + QString::number(n), kTrackQueryAttempts);
    if (!reported) return QString();
    QString length = *reported;
    const bool notLast = n != count;
    disc_.endPosition = MsfAdd(length, disc_.trackStart, notLast);

    QString next;
    if (count >= n + 1) {
        next = queryTimes(QStringLiteral("position track ") + QString::number(n + 1), 1)
                   .value_or(QString());
    } else {
        const auto discLength = queryTimes(QStringLiteral("length"), 1);
        const auto firstStart = queryTimes(QStringLiteral("position track 1"), 1);
        if (discLength && firstStart) next = MsfAdd(*discLength, *firstStart, false);
    }
    // A reported length may run past the next track's start: the track then
    // ends a second before that start. The last track ends where the disc does.
    if (!next.isEmpty()) {
        const QString gap = MsfSub(next, disc_.trackStart);
        if (notLast) next = MsfSub(next, QStringLiteral("00:01:00"));
        if (length > gap || !notLast) {
            length = gap;
            disc_.endPosition = next;
        }
    }
    return length;
}

void CdDeviceAccess::ReadDiscTitles(int track) {
    const cd::DiscTitles titles = cd::readDiscTitles(configFolder_, disc_.identity, qMax(track, 0));
    disc_.artist = titles.artist;
    disc_.title = titles.title;
    disc_.trackName = titles.trackName;
}

QString CdDeviceAccess::DiscSummary() const {
    const QString summary =
        disc_.trackName + QStringLiteral("  ") + disc_.title + QStringLiteral("  ") + disc_.artist;
    if (summary == u"--  --  --")
        return QStringLiteral("ＣＤ番号：") + disc_.identity + u' ' + disc_.volumeLabel;
    return summary;
}

QString CdDeviceAccess::MsfAdd(const QString& a, const QString& b, bool minusOne) {
    return cd::msfAdd(a, b, minusOne);
}

QString CdDeviceAccess::MsfSub(const QString& a, const QString& b) {
    return cd::msfSub(a, b);
}

}  // namespace sondex
