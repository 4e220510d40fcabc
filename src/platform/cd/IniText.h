#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The small INI files the CD units share with other programs (CDDRIVES.INI,
// CDPLAYER.INI), read as tolerantly as the Windows profile functions did.
namespace sondex::cd::ini {

struct Line {
    int number = 0;    // 1-based
    QString section;   // the "[...]" above the line, trimmed; empty before any
    QString text;      // the whole line, trimmed
    QString key;       // before the first "=", trimmed; empty when no "="
    QString value;     // after the first "=", trimmed
    bool hasValue() const { return !key.isEmpty(); }
    bool isComment() const { return text.startsWith(u';') || text.startsWith(u'#'); }
};

// Every non-empty line that is not a section header. CR LF, LF or CR end a
// line; a UTF-8 byte order mark is skipped; non-UTF-8 text is read as Shift-JIS.
QList<Line> parse(const QByteArray& bytes);

// The file `name` in `folder`, looked up exactly, then in any letter case, as
// Windows finds it; empty when there is none.
QString findIgnoringCase(const QString& folder, const QString& name);

// The file's bytes, or nothing when it cannot be read or is larger than
// maxBytes (such a file is no INI file of ours). `ok` tells which.
QByteArray readSmall(const QString& path, qint64 maxBytes, bool* ok);

}  // namespace sondex::cd::ini
