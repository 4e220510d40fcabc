#include "cd/CdEntry.h"

namespace sondex::cdentry {

namespace {

// Longer lines are not entries: no drive label and track number is this long.
constexpr qsizetype kLongestEntry = 16;
constexpr int kLastTrack = 99;

bool isDriveLetter(QChar c) { return c.isLetter() && c.unicode() < 128; }

int trackNumber(const QString& text) {
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    return ok ? n : 0;
}

}  // namespace

QString make(QChar letter, int track) {
    return QStringLiteral(" ") + letter.toUpper() + u':' +
           (track == kWholeDisc ? QStringLiteral("@") : QString::number(track));
}

Entry read(const QString& entry) {
    const qsizetype colon = entry.indexOf(u':');
    Entry e;
    e.drivePart = entry.left(colon + 1);
    const QString rest = entry.mid(colon + 1).trimmed();
    e.track = rest == u"@" ? kWholeDisc : trackNumber(rest);
    return e;
}

std::optional<QString> fromListLine(const QString& line) {
    if (line.size() > kLongestEntry) return std::nullopt;
    const QString text = line.trimmed();
    if (text.size() < 3 || !isDriveLetter(text[0]) || text[1] != u':') return std::nullopt;
    const QString rest = text.mid(2).trimmed();
    if (rest == u"@") return make(text[0], kWholeDisc);
    if (rest.isEmpty() || rest.size() > 2) return std::nullopt;
    for (const QChar c : rest) {
        if (c < u'0' || c > u'9') return std::nullopt;
    }
    const int track = rest.toInt();
    if (track < 1 || track > kLastTrack) return std::nullopt;
    return make(text[0], track);
}

}  // namespace sondex::cdentry
