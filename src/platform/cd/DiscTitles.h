#pragma once

#include <QByteArray>
#include <QString>

// Disc titles from "CDPLAYER.INI" in the config folder, the CD player's title
// file: a section named by the disc identity in upper-case hexadecimal, with
// "artist", "title" and a key per track, "0" for track 1. The recorder only
// reads it.
namespace sondex::cd {

inline constexpr char kDiscTitlesFile[] = "CDPLAYER.INI";

struct DiscTitles {
    QString artist = QStringLiteral("--");
    QString title = QStringLiteral("--");
    QString trackName = QStringLiteral("--");
};

// The titles of the disc `identity` (hexadecimal, any letter case) in an INI
// text; track 0 asks for no track name. A missing or empty value is "--".
// Sections, keys and values are trimmed and matched without regard to letter
// case; the first value of a key counts, also over a repeated section; a value in double
// quotes loses them. Damaged lines are passed over.
DiscTitles discTitlesFrom(const QByteArray& text, const QString& identity, int track);

// The same from CDPLAYER.INI in the config folder; all "--" when it is
// missing or unreadable.
DiscTitles readDiscTitles(const QString& configFolder, const QString& identity, int track);

}  // namespace sondex::cd
