#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// Reading folders with names kept as the bytes the file system holds: a name
// that is not valid UTF-8 is shown with replacement characters, but the file
// is always reached by its own bytes.
namespace sondex::listing {

struct FolderEntry {
    QByteArray name;        // the bytes readdir gave
    QString shown;          // for the eye only
    bool isFolder = false;  // a folder, or a link that leads to one
    bool isLink = false;
    bool hidden = false;    // the name starts with "."
    bool readOnly = false;  // no write permission for the owner
    qint64 size = 0;
    QDateTime modified;
};

struct FolderListing {
    bool readable = false;       // false: the folder could not be opened
    QList<FolderEntry> entries;  // without "." and ".."; in the order read
};

QString shownName(const QByteArray& bytes);

// folder + "/" + name, without doubling the root's slash.
QByteArray joinPath(const QByteArray& folder, const QByteArray& name);

// The folder above; the root is its own parent.
QByteArray parentFolder(const QByteArray& folder);

// The last component ("/" for the root).
QByteArray lastName(const QByteArray& path);

// Every entry of the folder. Links are followed for the kind and size, so a
// link to a folder counts as a folder; a link loop or a dangling link is a file.
FolderListing listFolder(const QByteArray& folder);

// The folder can be opened for reading now.
bool isReadableFolder(const QByteArray& folder);

bool isFolder(const QByteArray& path);

// The real path with every link and "." or ".." resolved; empty when it cannot be resolved.
QByteArray canonicalPath(const QByteArray& path);

// The device number of the file system that holds path; -1 when it cannot be read.
qint64 deviceOf(const QByteArray& path);

bool makeFolder(const QByteArray& path);

// Removes an empty folder.
bool removeFolder(const QByteArray& path);

}  // namespace sondex::listing
