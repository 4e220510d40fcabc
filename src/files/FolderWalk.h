#pragma once

#include "platform/DiskVolumes.h"
#include "platform/FolderListing.h"

#include <QByteArray>
#include <QList>

namespace sondex {

// Where a folder browser stands: the drives, the drive and folder shown, and
// how a move that fails comes back to a place that can be read.
// - A drive that cannot be read, or whose file system is no longer the one
//   first seen at its mount point (it was unmounted while shown), is a drive
//   error: the walk goes back to the previous drive, or to the first local drive
//   that can be read.
// - A folder that cannot be read is a folder error: the walk goes to its
//   nearest readable parent on the same drive.
// Folders are kept as canonical paths in bytes, so a link that leads back up
// the tree is only a way to a folder already seen.
class FolderWalk {
public:
    enum class Outcome { Moved, FolderError, DriveError };

    explicit FolderWalk(QList<DiskVolume> drives);

    const QList<DiskVolume>& drives() const { return drives_; }
    int driveIndex() const { return drive_; }
    const QByteArray& folder() const { return folder_; }
    QByteArray driveRoot() const;

    // Starts at a folder (which must exist) on the drive that holds it.
    Outcome start(const QByteArray& folder);
    Outcome chooseDrive(int index);
    Outcome enter(const QByteArray& folder);
    // Checks that the drive and folder shown can still be read.
    Outcome recheck() { return enter(folder_); }

    // The folder's subfolders and files, read now.
    listing::FolderListing read() const { return listing::listFolder(folder_); }

private:
    int driveHolding(const QByteArray& path) const;
    bool driveReady(int index) const;
    void standOn(int index, const QByteArray& folder);
    Outcome driveError();

    QList<DiskVolume> drives_;
    QList<qint64> devices_;  // each drive's file system as first seen; -1 until then
    int drive_ = -1;
    int previousDrive_ = -1;
    QByteArray folder_;
};

}  // namespace sondex
