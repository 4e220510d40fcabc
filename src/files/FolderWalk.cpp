#include "files/FolderWalk.h"

#include <QFile>

namespace sondex {

using namespace listing;

namespace {

bool isUnder(const QByteArray& path, const QByteArray& root) {
    if (root == "/") return path.startsWith('/');
    return path == root || path.startsWith(QByteArray(root + '/'));
}

}  // namespace

FolderWalk::FolderWalk(QList<DiskVolume> drives) : drives_(std::move(drives)) {
    if (drives_.isEmpty())
        drives_.append({QStringLiteral("/"), QByteArray(), VolumeKind::Fixed, QString()});
    devices_.fill(-1, drives_.size());
}

QByteArray FolderWalk::driveRoot() const {
    return drive_ < 0 ? QByteArray("/") : QFile::encodeName(drives_[drive_].mountPoint);
}

int FolderWalk::driveHolding(const QByteArray& path) const {
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < drives_.size(); ++i) {
        const QByteArray root = QFile::encodeName(drives_[i].mountPoint);
        if (isUnder(path, root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

bool FolderWalk::driveReady(int index) const {
    const QByteArray root = QFile::encodeName(drives_[index].mountPoint);
    if (!isReadableFolder(root)) return false;
    return devices_[index] < 0 || deviceOf(root) == devices_[index];
}

void FolderWalk::standOn(int index, const QByteArray& folder) {
    if (index != drive_) previousDrive_ = drive_;
    drive_ = index;
    if (devices_[index] < 0)
        devices_[index] = deviceOf(QFile::encodeName(drives_[index].mountPoint));
    folder_ = folder;
}

FolderWalk::Outcome FolderWalk::driveError() {
    QList<int> order;
    if (previousDrive_ >= 0) order.append(previousDrive_);
    for (int i = 0; i < drives_.size(); ++i) order.append(i);
    for (int index : order) {
        // A network drive nobody asked for is not tried: its server may keep us waiting.
        const bool unasked = index != previousDrive_ && drives_[index].kind == VolumeKind::Network;
        if (index == drive_ || unasked || !driveReady(index)) continue;
        standOn(index, QFile::encodeName(drives_[index].mountPoint));
        return Outcome::DriveError;
    }
    // Nothing else can be read: stand on the root of the system.
    folder_ = "/";
    return Outcome::DriveError;
}

FolderWalk::Outcome FolderWalk::start(const QByteArray& folder) {
    const QByteArray real = canonicalPath(folder);
    const int index = driveHolding(real.isEmpty() ? folder : real);
    if (index < 0 || !driveReady(index)) return driveError();
    standOn(index, QFile::encodeName(drives_[index].mountPoint));
    return enter(real.isEmpty() ? folder : real);
}

FolderWalk::Outcome FolderWalk::chooseDrive(int index) {
    if (index < 0 || index >= drives_.size()) return Outcome::DriveError;
    if (!driveReady(index)) {
        // The drive stays the one shown; a pick that failed is not a drive to go back to.
        if (drive_ >= 0 && driveReady(drive_)) return Outcome::DriveError;
        return driveError();
    }
    standOn(index, canonicalPath(QFile::encodeName(drives_[index].mountPoint)));
    return Outcome::Moved;
}

FolderWalk::Outcome FolderWalk::enter(const QByteArray& folder) {
    if (drive_ >= 0 && !driveReady(drive_)) return driveError();
    const QByteArray real = canonicalPath(folder);
    const int index = real.isEmpty() ? -1 : driveHolding(real);
    if (!real.isEmpty() && index >= 0 && isReadableFolder(real) && driveReady(index)) {
        standOn(index, real);
        return Outcome::Moved;
    }
    // Back up towards the drive's root until a folder can be read.
    const QByteArray root = driveRoot();
    QByteArray above = folder;
    while (above != root && above != "/") {
        above = parentFolder(above);
        const QByteArray readable = canonicalPath(above);
        if (!readable.isEmpty() && isReadableFolder(readable) && driveHolding(readable) == drive_) {
            folder_ = readable;
            return Outcome::FolderError;
        }
    }
    if (drive_ >= 0 && driveReady(drive_)) {
        folder_ = root;
        return Outcome::FolderError;
    }
    return driveError();
}

}  // namespace sondex
