#include "platform/DiskVolumes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

#include <sys/statvfs.h>

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

// The kernel writes blanks, tabs, line breaks and backslashes in octal.
QString unescapeMountField(const QByteArray& field) {
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && code < 256) {
                out += static_cast<char>(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return QString::fromUtf8(out);
}

// The kernel marks removable media on the disk; a partition asks its disk.
bool isRemovableDevice(const QString& device) {
    if (!device.startsWith(QStringLiteral("/dev/"))) return false;
    const QString block =
        QFileInfo(QStringLiteral("/sys/class/block/") + QFileInfo(device).fileName())
            .canonicalFilePath();
    if (block.isEmpty()) return false;
    for (const QString& folder : {block, QFileInfo(block).path()}) {
        QFile flag(folder + QStringLiteral("/removable"));
        if (flag.open(QIODevice::ReadOnly)) return flag.read(1) == "1";
    }
    return false;
}

}  // namespace

QList<MountEntry> parseMountTable(const QByteArray& text) {
    QList<MountEntry> entries;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3) continue;
        entries.append({unescapeMountField(fields[1]), unescapeMountField(fields[0]), fields[2]});
    }
    return entries;
}

bool isNetworkFileSystem(const QByteArray& type) {
    static const QSet<QByteArray> network{"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "9p",
                                          "afs", "ceph", "glusterfs", "fuse.sshfs", "davfs", "fuse.davfs"};
    return network.contains(type);
}

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

VolumeKind volumeKind(const QByteArray& fileSystem, const QString& mountPoint,
                      bool removableDevice) {
    if (fileSystem == "iso9660" || fileSystem == "udf") return VolumeKind::Optical;
    if (isNetworkFileSystem(fileSystem)) return VolumeKind::Network;
    if (fileSystem == "tmpfs" || fileSystem == "ramfs") return VolumeKind::Ram;
    if (removableDevice || isUnder(mountPoint, QStringLiteral("/run/media")) ||
        isUnder(mountPoint, QStringLiteral("/media")))
        return VolumeKind::Removable;
    return VolumeKind::Fixed;
}

QHash<QString, QString> volumeLabels(const QString& byLabelFolder) {
    QHash<QString, QString> labels;
    const QDir folder(byLabelFolder);
    for (const QFileInfo& link :
         folder.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QString device = link.canonicalFilePath();
        if (device.isEmpty()) continue;
        const QByteArray name = QFile::encodeName(link.fileName());
        QByteArray label;
        for (qsizetype i = 0; i < name.size(); ++i) {
            bool ok = false;
            const int code = name.mid(i, 2) == "\\x" ? name.mid(i + 2, 2).toInt(&ok, 16) : 0;
            if (ok) {
                label += static_cast<char>(code);
                i += 3;
            } else {
                label += name[i];
            }
        }
        labels.insert(device, QString::fromUtf8(label));
    }
    return labels;
}

QList<DiskVolume> diskVolumes() {
    QFile table(QStringLiteral("/proc/self/mounts"));
    if (!table.open(QIODevice::ReadOnly))
        return {{QStringLiteral("/"), QByteArray(), VolumeKind::Fixed, QString()}};
    QList<MountEntry> mounts = parseMountTable(table.read(1 << 20));
    for (MountEntry& m : mounts) {
        // Asking a network mount could wait on its server; only local ones are looked at.
        if (!isNetworkFileSystem(m.fileSystem) && counts(m)) m.isFolder = QFileInfo(m.mountPoint).isDir();
    }
    const QHash<QString, QString> labels = volumeLabels(QStringLiteral("/dev/disk/by-label"));
    QList<DiskVolume> volumes;
    for (const MountEntry& m : diskVolumeMounts(mounts)) {
        const QString device =
            m.device.startsWith(u'/') ? QFileInfo(m.device).canonicalFilePath() : QString();
        volumes.append({m.mountPoint, m.fileSystem,
                        volumeKind(m.fileSystem, m.mountPoint, isRemovableDevice(device)),
                        labels.value(device)});
    }
    return volumes;
}

VolumeSpace volumeSpace(const QString& path) {
    struct statvfs s {};
    if (::statvfs(QFile::encodeName(path).constData(), &s) != 0) return {};
    const auto unit = static_cast<qint64>(s.f_frsize);
    return {static_cast<qint64>(s.f_bavail) * unit, static_cast<qint64>(s.f_blocks) * unit};
}

}  // namespace sondex
