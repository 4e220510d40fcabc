#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// File names on Linux are bytes. A name that is not valid UTF-8 reaches the
// program's lists as text with replacement characters, which no longer names
// the file; these find the real bytes again from the folder's entries.
namespace sondex::namebytes {

// The bytes of the entry a full path shows: the path's own encoding when
// something is there, otherwise, component by component, the one entry of
// the folder whose shown name is the path's component. Nothing when no entry,
// or more than one, fits.
std::optional<QByteArray> realPath(const QString& shownPath);

// Something (file, folder, link, even a dangling one) has this name.
bool exists(const QByteArray& path);

// A regular file, following links.
bool isFile(const QByteArray& path);

// The folder part of a path in bytes, with its trailing "/".
QByteArray folderOf(const QByteArray& path);

}  // namespace sondex::namebytes
