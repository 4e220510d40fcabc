#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// The disk volumes: mounted file systems that hold files a user can record
// to or copy from, shown by their mount points where drive letters were shown.
namespace sondex {

// One line of the mount table, as the filter sees it.
struct MountEntry {
    QString mountPoint;
    QString device;         // the source: a block device, "server:/share", "tmpfs", ...
    QByteArray fileSystem;  // the type: ext4, nfs, tmpfs, proc, ...
    bool isFolder = true;   // false for a file bind-mounted over another (containers' /etc/hosts)
};

// What kind of medium a volume is, for the browsers' drive pictures.
enum class VolumeKind { Removable, Fixed, Network, Optical, Ram };

struct DiskVolume {
    QString mountPoint;
    QByteArray fileSystem;
    VolumeKind kind = VolumeKind::Fixed;
    QString label;  // the file system's label; empty when it has none
};

struct VolumeSpace {
    qint64 freeBytes = -1;  // what this user may still write; -1 when it cannot be read
    qint64 totalBytes = -1;
};

// The entries of a mount table text (/proc/self/mounts): device, mount
// point and type of each line, with the kernel's octal escapes (\040 for a
// blank) undone. Lines with fewer fields are passed over.
QList<MountEntry> parseMountTable(const QByteArray& text);

// Network file systems, whose server may be slow or gone.
bool isNetworkFileSystem(const QByteArray& type);

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

// The kind of a volume: optical by its file system (iso9660, udf), network by
// isNetworkFileSystem, memory for tmpfs and ramfs, removable when the block
// device says so or the volume is mounted among the removable media
// (/run/media, /media), otherwise fixed.
VolumeKind volumeKind(const QByteArray& fileSystem, const QString& mountPoint,
                      bool removableDevice);

// The labels udev publishes as links in a folder (/dev/disk/by-label), by the
// canonical path of the device each link leads to. udev writes blanks,
// slashes and other unsafe bytes of a label as "\xNN".
QHash<QString, QString> volumeLabels(const QString& byLabelFolder);

// The machine's disk volumes now, with kind and label. Only local mount points are looked at, so
// a network server that is gone does not hold this up.
QList<DiskVolume> diskVolumes();

// The free bytes this user may write and the total bytes of the volume that
// holds path (statvfs: f_bavail and f_blocks in f_frsize units), read now.
VolumeSpace volumeSpace(const QString& path);

}  // namespace sondex
