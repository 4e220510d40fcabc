#include "platform/DiskVolumes.h"

#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>

namespace sondex {

namespace {

bool isPseudoType(const QByteArray& type) {
    static const QSet<QByteArray> pseudo{
        "autofs", "binfmt_misc", "bpf", "cgroup", "cgroup2", "configfs", "debugfs", "devpts", "devtmpfs",
        "efivarfs", "fusectl", "hugetlbfs", "mqueue", "nsfs", "proc", "pstore", "ramfs", "rootfs",
        "rpc_pipefs", "securityfs", "selinuxfs", "squashfs", "sysfs", "tracefs", "fuse.gvfsd-fuse",
        "fuse.portal", "fuse.lxcfs", "fuse.snapfuse"};
    return pseudo.contains(type);
}

bool isUnder(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + u'/');
}

bool isSystemPlace(const QString& mountPoint) {
    if (isUnder(mountPoint, QStringLiteral("/run/media"))) return false;
    for (const char* folder : {"/proc", "/sys", "/dev", "/run"}) {
        if (isUnder(mountPoint, QString::fromLatin1(folder))) return true;
    }
    return false;
}

bool counts(const MountEntry& m) {
    if (!m.isFolder || m.mountPoint.isEmpty() || isPseudoType(m.fileSystem) || isSystemPlace(m.mountPoint))
        return false;
    return m.fileSystem != "tmpfs" || m.mountPoint == u"/tmp";
}

}  // namespace

QList<MountEntry> diskVolumeMounts(QList<MountEntry> mounts) {
    mounts.removeIf([](const MountEntry& m) { return !counts(m); });
    // Shortest first, so that a bind mount gives way to the file system's own place.
    std::stable_sort(mounts.begin(), mounts.end(), [](const MountEntry& a, const MountEntry& b) {
        return a.mountPoint.size() < b.mountPoint.size();
    });
    QSet<QString> seen;
    mounts.removeIf([&seen](const MountEntry& m) {
        if (seen.contains(m.device)) return true;
        seen.insert(m.device);
        return false;
    });
    std::sort(mounts.begin(), mounts.end(),
              [](const MountEntry& a, const MountEntry& b) { return a.mountPoint < b.mountPoint; });
    return mounts;
}

QList<DiskVolume> diskVolumes() {
    QList<MountEntry> mounts;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
        mounts.append({s.rootPath(), QString::fromLocal8Bit(s.device()), s.fileSystemType(),
                       QFileInfo(s.rootPath()).isDir()});
    }
    QList<DiskVolume> volumes;
    for (const MountEntry& m : diskVolumeMounts(mounts)) volumes.append(volumeOf(m.mountPoint));
    return volumes;
}

DiskVolume volumeOf(const QString& path) {
    const QStorageInfo s(path);
    if (!s.isValid() || !s.isReady()) return {s.rootPath(), -1, -1};
    return {s.rootPath(), s.bytesAvailable(), s.bytesTotal()};
}

}  // namespace sondex
