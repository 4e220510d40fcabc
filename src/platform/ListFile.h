#pragma once

#include <QString>
#include <QStringList>

// The plain-text lists (CD play list, music list, timer lists): one entry per
// line, read and written whole.
namespace sondex::listfile {

// The lines of the file; CR LF, LF and lone CR all end a line, a final line
// break adds no entry, and a UTF-8 byte order mark is skipped. A missing or
// unreadable file is an empty list.
QStringList read(const QString& path);

// Writes every entry followed by CR LF, in UTF-8, replacing the file
// atomically. A file there that read() could not read is left as it is and
// the write fails. Callers ignore a failure: the list simply stays unsaved.
bool write(const QString& path, const QStringList& entries);

}  // namespace sondex::listfile
