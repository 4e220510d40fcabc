#include "platform/cd/DiscLayout.h"

#include "platform/cd/Msf.h"

namespace sondex::cd {

const TrackEntry* DiscLayout::track(int n) const {
    const qsizetype i = n - firstTrack();
    if (tracks.isEmpty() || i < 0 || i >= tracks.size())
        return nullptr;
    return &tracks[i];
}

namespace {

struct MsfFields {
    quint32 minutes;
    quint32 seconds;
    quint32 frames;
};

MsfFields fieldsOf(qint64 address) {
    const quint64 a = address < 0 ? 0 : quint64(address);
    return {quint32(a / (60 * kFramesPerSecond)), quint32(a / kFramesPerSecond % 60),
            quint32(a % kFramesPerSecond)};
}

}  // namespace

quint32 discIdentity(const DiscLayout& disc) {
    quint32 sum = 0;
    for (const TrackEntry& t : disc.tracks) {
        const MsfFields f = fieldsOf(t.start);
        sum += (f.minutes << 16) | (f.seconds << 8) | f.frames;
    }
    if (!disc.tracks.isEmpty() && disc.tracks.size() < 3) {
        const qint64 first = disc.tracks.first().start;
        sum += fieldsOf(first).frames;
        sum += quint32(disc.leadOut - first);
    }
    return sum;
}

QString identityHex(quint32 identity) {
    return identity == 0 ? QString() : QString::number(identity, 16).toUpper();
}

qint64 trackLength(const DiscLayout& disc, int n) {
    const TrackEntry* t = disc.track(n);
    if (t == nullptr)
        return -1;
    const TrackEntry* next = disc.track(n + 1);
    return next != nullptr ? next->start - t->start : disc.leadOut - t->start - 1;
}

qint64 discLength(const DiscLayout& disc) {
    if (disc.tracks.isEmpty())
        return 0;
    return disc.leadOut - disc.tracks.first().start - 1;
}

AddressSpan audioSpan(const DiscLayout& disc, qint64 from, qint64 to) {
    AddressSpan span;
    for (qsizetype k = 0; k < disc.tracks.size(); ++k) {
        if (!disc.tracks[k].audio) continue;
        const qint64 end = k + 1 < disc.tracks.size() ? disc.tracks[k + 1].start : disc.leadOut;
        const qint64 first = qMax(disc.tracks[k].start, from);
        const qint64 last = qMin(end, to);
        if (first >= last) continue;
        if (span.isEmpty()) span.first = first;
        span.last = last;
    }
    return span;
}

}  // namespace sondex::cd
