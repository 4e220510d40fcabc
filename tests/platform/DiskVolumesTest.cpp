#include "platform/DiskSpace.h"
#include "platform/DiskVolumes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

TEST(DiskVolumesTest, OnlyRealFileSystemsCountEachOnceByMountPoint) {
    auto m = [](const char* point, const char* device, const char* type, bool folder = true) {
        return MountEntry{QString::fromLatin1(point), QString::fromLatin1(device), QByteArray(type), folder};
    };
    const QList<MountEntry> mounts{
        m("/proc", "proc", "proc"), m("/sys", "sysfs", "sysfs"), m("/dev", "udev", "devtmpfs"),
        m("/sys/fs/cgroup", "cgroup2", "cgroup2"), m("/dev/shm", "tmpfs", "tmpfs"), m("/run", "tmpfs", "tmpfs"),
        m("/snap/core/1", "/dev/loop0", "squashfs"), m("/run/user/1000/gvfs", "gvfsd-fuse", "fuse.gvfsd-fuse"),
        m("/tmp", "tmpfs", "tmpfs"), m("/home", "/dev/sda2", "ext4"), m("/", "overlay", "overlay"),
        m("/etc/hosts", "/dev/sda2", "ext4", false), m("/srv/home-bind", "/dev/sda2", "ext4"),
        m("/run/media/me/STICK", "/dev/sdb1", "vfat"), m("/mnt/nas", "nas:/share", "nfs4"),
        m("/proc/cpuinfo", "lxcfs", "fuse.lxcfs"),
    };
    QStringList kept;
    for (const MountEntry& e : diskVolumeMounts(mounts)) kept.append(e.mountPoint);
    EXPECT_EQ(kept, (QStringList{QStringLiteral("/"), QStringLiteral("/home"), QStringLiteral("/mnt/nas"),
                                 QStringLiteral("/run/media/me/STICK"), QStringLiteral("/tmp")}));
}

TEST(DiskVolumesTest, KindsAndLabelsOfVolumes) {
    const struct {
        const char* type;
        const char* point;
        bool removable;
        VolumeKind kind;
    } cases[] = {{"iso9660", "/run/media/me/CD", true, VolumeKind::Optical},
                 {"nfs4", "/mnt/nas", false, VolumeKind::Network},
                 {"tmpfs", "/tmp", false, VolumeKind::Ram},
                 {"vfat", "/media/stick", false, VolumeKind::Removable},
                 {"ext4", "/srv", true, VolumeKind::Removable},
                 {"ext4", "/", false, VolumeKind::Fixed}};
    for (const auto& c : cases)
        EXPECT_EQ(volumeKind(c.type, QString::fromLatin1(c.point), c.removable), c.kind) << c.point;

    // udev's links: a label with a blank and a slash, and one whose device is gone.
    QTemporaryDir dev;
    QFile(dev.filePath(QStringLiteral("sdb1"))).open(QIODevice::WriteOnly);
    QDir(dev.path()).mkdir(QStringLiteral("by-label"));
    QFile::link(QStringLiteral("../sdb1"),
                dev.filePath(QStringLiteral("by-label/MY\\x20DISK\\x2fA")));
    QFile::link(QStringLiteral("../gone"), dev.filePath(QStringLiteral("by-label/OLD")));
    const QHash<QString, QString> labels = volumeLabels(dev.filePath(QStringLiteral("by-label")));
    EXPECT_EQ(labels, (QHash<QString, QString>{
                          {QFileInfo(dev.filePath(QStringLiteral("sdb1"))).canonicalFilePath(),
                           QStringLiteral("MY DISK/A")}}));
}

TEST(DiskVolumesTest, TheMountTableIsReadWithItsEscapes) {
    const QList<MountEntry> entries = parseMountTable(
        "/dev/sdb1 /run/media/me/MY\\040STICK vfat rw 0 0\n\nbroken-line\n"
        "nas:/share /mnt/back\\134slash nfs4 rw 0 0\n");
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].mountPoint, QStringLiteral("/run/media/me/MY STICK"));
    EXPECT_EQ(entries[0].device, QStringLiteral("/dev/sdb1"));
    EXPECT_EQ(entries[0].fileSystem, "vfat");
    EXPECT_EQ(entries[1].mountPoint, QStringLiteral("/mnt/back\\slash"));
    EXPECT_TRUE(isNetworkFileSystem(entries[1].fileSystem));
}

// The machine's own answers: a folder and its subfolder share a file system
// whose mount point lies above both, and a missing folder is unknown.
TEST(DiskVolumesTest, AFolderIsFoundOnItsFileSystemAndAMissingOneIsUnknown) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("sub")));
    SystemDiskSpace disks;
    const FolderDisk folder = disks.folderDisk(dir.path() + u'/');
    const FolderDisk sub = disks.folderDisk(dir.filePath(QStringLiteral("sub")));
    EXPECT_TRUE(onOneFileSystem(folder, sub));
    EXPECT_EQ(folder.mountPoint, sub.mountPoint);
    const QString canonical = QDir(dir.path()).canonicalPath();
    EXPECT_TRUE(folder.mountPoint == QStringLiteral("/") || canonical.startsWith(folder.mountPoint + u'/'))
        << folder.mountPoint.toStdString();
    EXPECT_GE(folder.space.freeBytes, 0);
    EXPECT_LE(folder.space.freeBytes, folder.space.totalBytes);

    const FolderDisk missing = disks.folderDisk(dir.filePath(QStringLiteral("missing")));
    EXPECT_TRUE(missing.mountPoint.isEmpty());
    EXPECT_EQ(missing.space.freeBytes, -1);
    EXPECT_FALSE(onOneFileSystem(missing, missing));
}

}  // namespace
}  // namespace sondex
