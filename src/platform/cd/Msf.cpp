#include "platform/cd/Msf.h"

namespace sondex::cd {

namespace {

constexpr qint64 kMaxMinutes = 1'000'000'000;

struct Fields {
    qint64 minutes = 0;
    qint64 seconds = 0;
    qint64 third = 0;
};

// Minutes are the text before the first colon, seconds the two characters
// after it, the third field the two characters three places further.
Fields split(const QString& text) {
    Fields f;
    const qsizetype colon = text.indexOf(u':');
    const QString minutes = colon < 0 ? text : text.left(colon);
    // Bounded so that no text, however long its minutes, overflows the sums.
    f.minutes = qBound<qint64>(-kMaxMinutes, minutes.trimmed().toLongLong(), kMaxMinutes);
    if (colon >= 0) {
        f.seconds = text.mid(colon + 1, 2).toLongLong();
        f.third = text.mid(colon + 4, 2).toLongLong();
    }
    return f;
}

QString twoDigits(qint64 n) {
    return QString(QStringLiteral("00") + QString::number(n)).right(2);
}

QString join(const Fields& f) {
    QString minutes = QString::number(f.minutes);
    if (minutes.size() < 2)
        minutes.prepend(u'0');
    return minutes + u':' + twoDigits(f.seconds) + u':' + twoDigits(f.third);
}

}  // namespace

QString msfText(qint64 frames) {
    if (frames < 0)
        frames = 0;
    const qint64 seconds = frames / kFramesPerSecond;
    return join({seconds / 60, seconds % 60, frames % kFramesPerSecond});
}

qint64 msfFrames(const QString& text) {
    const Fields f = split(text);
    return (f.minutes * 60 + f.seconds) * kFramesPerSecond + f.third;
}

QString msfAdd(const QString& a, const QString& b, bool minusOne) {
    const Fields x = split(a);
    const Fields y = split(b);
    Fields r{x.minutes + y.minutes, x.seconds + y.seconds, x.third + y.third};
    if (r.third >= 100) {
        r.third -= 100;
        r.seconds += 1;
    }
    if (r.seconds >= 60) {
        r.seconds -= 60;
        r.minutes += 1;
    }
    if (minusOne) {
        r.seconds -= 1;
        if (r.seconds < 0) {
            r.seconds += 60;
            r.minutes -= 1;
        }
    }
    return join(r);
}

QString msfSub(const QString& a, const QString& b) {
    const Fields x = split(a);
    const Fields y = split(b);
    Fields r{x.minutes - y.minutes, x.seconds - y.seconds, x.third - y.third};
    if (r.third < 0) {
        r.third += 100;
        r.seconds -= 1;
    }
    if (r.seconds < 0) {
        r.seconds += 60;
        r.minutes -= 1;
    }
    return join(r);
}

}  // namespace sondex::cd
