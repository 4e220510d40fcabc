#include "platform/DiskSpace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace sondex {

namespace {

std::optional<quint64> deviceOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return std::nullopt;
    return static_cast<quint64>(st.st_dev);
}

// The topmost folder above path that still lies on its file system.
QString mountPointOf(const QString& path, quint64 device) {
    QString current = path;
    while (current != QStringLiteral("/")) {
        const QString parent = QFileInfo(current).path();
        if (parent == current || deviceOf(parent) != device) break;
        current = parent;
    }
    return current;
}

}  // namespace

bool onOneFileSystem(const FolderDisk& a, const FolderDisk& b) {
    return a.device && b.device && *a.device == *b.device;
}

FolderDisk SystemDiskSpace::folderDisk(const QString& folder) {
    // Symbolic links are followed, so the folder is judged by where its files land.
    const QString path = QFileInfo(folder).canonicalFilePath();
    if (path.isEmpty()) return {};
    const std::optional<quint64> device = deviceOf(path);
    if (!device) return {};
    return {mountPointOf(path, *device), volumeSpace(path), device};
}

DiskSpaceQueries& systemDiskSpace() {
    static SystemDiskSpace disks;
    return disks;
}

}  // namespace sondex
