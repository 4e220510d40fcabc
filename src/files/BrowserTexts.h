#pragma once

#include "platform/DiskVolumes.h"

#include <QDateTime>
#include <QList>
#include <QString>

// What the folder browsers show: drive entries, file masks and filters, the
// file list's sizes, dates and kinds, and the start folder.
namespace sondex::browsing {

// The mount point, then " [label]" when the volume has one (shown as written:
// labels on this system keep their case).
QString driveEntryText(const DiskVolume& volume);

// The name matches one of the masks ("*.wav;*.mid"); "*" and "?" are
// wildcards, letters match in either case, and "*.*" matches every name, with
// or without a dot. An empty list means "*.*".
bool matchesMasks(const QString& name, const QString& masks);

struct FilterChoice {
    QString name;
    QString mask;
    QString shown() const { return name + QStringLiteral(" (") + mask + u')'; }
};

// The pairs of a filter text "name|mask|name|mask"; "ALL files" with "*.*" is
// added when no pair has that mask. An odd name at the end is dropped.
QList<FilterChoice> parseFilter(const QString& filter);

// Sizes right-aligned in eight places with thousands separators: "   1,024".
QString sizeText(qint64 bytes);

// "yy/MM/dd hh:mm:ss" and the short Japanese day name: "26/12/07 14:05:09 月".
QString dateText(const QDateTime& time);

// The file's kind: its extension in capitals and "ファイル", or "ファイル".
QString kindText(const QString& name);

// The folder for a prompt: its last 35 characters after "..." when it is longer than 38.
QString promptFolder(const QString& folder);

// The folder a browser starts in: the text as a full path (relative ones and
// "~" start at home), or its nearest existing parent when it does not exist;
// the fallback when the text is empty or nothing on its way exists.
QString startFolder(const QString& text, const QString& fallback);

}  // namespace sondex::browsing
