#include "platform/cd/DiscTitles.h"

#include "platform/cd/IniText.h"

namespace sondex::cd {

namespace {

// CDPLAYER.INI collects every disc ever titled; far more than this is no title file.
constexpr qint64 kMaxTitlesBytes = 16 << 20;

QString unquoted(const QString& value) {
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        return value.mid(1, value.size() - 2);
    return value;
}

}  // namespace

DiscTitles discTitlesFrom(const QByteArray& text, const QString& identity, int track) {
    DiscTitles titles;
    if (identity.trimmed().isEmpty())
        return titles;
    const QString trackKey = track > 0 ? QString::number(track - 1) : QString();
    bool artist = false, title = false, name = false;
    for (const ini::Line& line : ini::parse(text)) {
        if (line.section.compare(identity.trimmed(), Qt::CaseInsensitive) != 0 || !line.hasValue())
            continue;
        const QString value = unquoted(line.value);
        const QString key = line.key.toLower();
        if (key == u"artist" && !artist) {
            artist = true;
            if (!value.isEmpty())
                titles.artist = value;
        } else if (key == u"title" && !title) {
            title = true;
            if (!value.isEmpty())
                titles.title = value;
        } else if (!trackKey.isEmpty() && key == trackKey && !name) {
            name = true;
            if (!value.isEmpty())
                titles.trackName = value;
        }
    }
    return titles;
}

DiscTitles readDiscTitles(const QString& configFolder, const QString& identity, int track) {
    const QString path = ini::findIgnoringCase(configFolder, QLatin1String(kDiscTitlesFile));
    bool ok = false;
    const QByteArray bytes = path.isEmpty() ? QByteArray() : ini::readSmall(path, kMaxTitlesBytes, &ok);
    return ok ? discTitlesFrom(bytes, identity, track) : DiscTitles{};
}

}  // namespace sondex::cd
