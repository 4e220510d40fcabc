#pragma once

#include "platform/DiskVolumes.h"

#include <QString>

#include <optional>

// What the size report and the drive list ask of the file system behind a
// folder: its free and total bytes, where it is mounted and whether two
// folders share it. Behind an interface so tests feed their own numbers.
namespace sondex {

struct FolderDisk {
    QString mountPoint;             // empty when the folder cannot be looked at
    VolumeSpace space;              // -1s when the space cannot be read
    std::optional<quint64> device;  // the file system's device number, when known
};

class DiskSpaceQueries {
public:
    virtual ~DiskSpaceQueries() = default;
    virtual FolderDisk folderDisk(const QString& folder) = 0;
};

// Both folders are known and lie on one file system.
bool onOneFileSystem(const FolderDisk& a, const FolderDisk& b);

// The machine's file systems: statvfs for the space, st_dev for the file system.
class SystemDiskSpace final : public DiskSpaceQueries {
public:
    FolderDisk folderDisk(const QString& folder) override;
};

// One for the program: it keeps no state.
DiskSpaceQueries& systemDiskSpace();

}  // namespace sondex
