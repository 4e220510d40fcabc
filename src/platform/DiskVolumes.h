#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The disk volumes: mounted file systems that hold files a user can record
// to or copy from, shown by their mount points where drive letters were shown.
namespace sondex {

// One line of the mount table, as the filter sees it.
struct MountEntry {
    QString mountPoint;
    QString device;        // the source: a block device, "server:/share", "tmpfs", ...
    QByteArray fileSystem;  // the type: ext4, nfs, tmpfs, proc, ...
    bool isFolder = true;  // false for a file bind-mounted over another (containers' /etc/hosts)
};

struct DiskVolume {
    QString mountPoint;
    qint64 freeBytes = -1;   // what this user may still write; -1 when it cannot be read
    qint64 totalBytes = -1;
};

// The mounts that count as disk volumes, sorted by mount point ("/" first):
// - kernel and desktop pseudo file systems (proc, sysfs, cgroup, devpts,
//   devtmpfs, debugfs, gvfs and portal fuse mounts, snaps' squashfs, ...) are
//   dropped, and so is anything mounted under /proc, /sys, /dev or /run
//   except the removable media in /run/media;
// - tmpfs counts only at /tmp, where temporary recordings may grow;
//   /dev/shm, /run and the like are memory, not storage;
// - overlay, fuseblk, network file systems and every other type count
//   (a container's root is an overlay);
// - mounts that are not folders are dropped, and a file system mounted at
//   several places counts once, at its shortest mount point.
QList<MountEntry> diskVolumeMounts(QList<MountEntry> mounts);

// The machine's disk volumes now, with their free and total bytes.
QList<DiskVolume> diskVolumes();

// The free and total bytes of the volume that holds path (-1 each when it
// cannot be read), for the free-space reports.
DiskVolume volumeOf(const QString& path);

}  // namespace sondex
