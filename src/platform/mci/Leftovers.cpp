#include "platform/mci/Leftovers.h"

#include "platform/mci/FileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <cerrno>

#include <utility>

namespace sondex::mci {

namespace {

constexpr char kSavedAttribute[] = "user.sondex.saved";

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool isMarkedSaved(int fd) {
    return ::fgetxattr(fd, kSavedAttribute, nullptr, 0) >= 0;
}

void syncFolder(const QString& folder) {
    const Fd dir(::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) (void)::fsync(dir.get());
}

// Puts a finished file under the target name without replacing anything there.
int linkInPlace(const QString& from, const QString& target) {
    if (::link(native(from).constData(), native(target).constData()) != 0) return errno;
    (void)::unlink(native(from).constData());
    syncFolder(QFileInfo(target).absolutePath());
    return 0;
}

int copySynced(int fromFd, qint64 bytes, const QString& target) {
    const QFileInfo info(target);
    const QString staging = info.absoluteDir().filePath(
        QStringLiteral(".%1.%2.part").arg(info.fileName()).arg(::getpid()));
    Fd out(::open(native(staging).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (out.get() < 0) return errno;
    int error = copyFileBytes(fromFd, 0, out.get(), 0, bytes);
    if (error == 0 && ::fsync(out.get()) != 0) error = errno;
    if (::close(out.release()) != 0 && error == 0) error = errno;
    if (error == 0) error = linkInPlace(staging, target);
    if (error != 0) (void)::unlink(native(staging).constData());
    return error;
}

// The sizes in the header follow the file's length, cut to whole frames.
int finishAsWav(int fd, const Recoverable& leftover) {
    const qint64 data = leftover.dataBytes;
    if (::ftruncate(fd, kCanonicalHeaderBytes + data) != 0) return errno;
    const QByteArray header = canonicalWavHeader(leftover.format, data);
    if (const int error = writeAllAt(fd, header.constData(), header.size(), 0)) return error;
    if (data & 1) {
        const char pad = 0;
        if (const int error = writeAllAt(fd, &pad, 1, kCanonicalHeaderBytes + data)) return error;
    }
    return ::fdatasync(fd) == 0 ? 0 : errno;
}

}  // namespace

bool lockRecordingFile(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

bool isHeldByRecorder(const QString& path) {
    const Fd fd(::open(native(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    return fd.get() >= 0 && ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

void markSaved(int fd) {
    (void)::fsetxattr(fd, kSavedAttribute, "1", 1, 0);
}

void clearSavedMark(int fd) {
    (void)::fremovexattr(fd, kSavedAttribute);
}

QList<LeftoverFile> findLeftovers(const QString& folder) {
    QList<LeftoverFile> files;
    const QFileInfoList found = QDir(folder).entryInfoList(
        {QString::fromLatin1(kLeftoverPattern)}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& info : found) {
        if (info.isSymLink()) continue;
        files.append({info.absoluteFilePath(), info.fileName(), info.size(), info.lastModified()});
    }
    return files;
}

bool deleteLeftover(const QString& path) {
    return !isHeldByRecorder(path) && ::unlink(native(path).constData()) == 0;
}

qint64 Recoverable::milliseconds() const {
    const qint64 perSecond = format.bytesPerSecond();
    return perSecond > 0 ? dataBytes * 1000 / perSecond : 0;
}

QList<Recoverable> findRecoverable(const QString& folder) {
    QList<Recoverable> found;
    // A leftover that cannot leave its folder would be recovered again every time.
    if (::access(native(folder).constData(), W_OK) != 0) return found;
    for (const LeftoverFile& file : findLeftovers(folder)) {
        const Fd fd(::open(native(file.path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
        struct stat info {};
        if (fd.get() < 0 || !lockRecordingFile(fd.get()) || ::fstat(fd.get(), &info) != 0) continue;
        if (info.st_nlink > 1 || isMarkedSaved(fd.get())) continue;
        int error = 0;
        const std::optional<PcmFormat> format = readWavFormat(file.path, error);
        if (!format) continue;
        const qint64 frame = format->blockAlign();
        const qint64 data = (qint64(info.st_size) - kCanonicalHeaderBytes) / frame * frame;
        if (data > 0) found.append({file.path, *format, data});
    }
    return found;
}

Error recoverLeftover(const Recoverable& leftover, const QString& target) {
    const Fd fd(::open(native(leftover.path).constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
    if (fd.get() < 0) return errorForErrno(errno);
    struct stat info {};
    if (!lockRecordingFile(fd.get()) || ::fstat(fd.get(), &info) != 0 || info.st_nlink > 1 ||
        isMarkedSaved(fd.get()) || info.st_size < kCanonicalHeaderBytes + leftover.dataBytes)
        return Error::AccessDenied;
    if (QFileInfo::exists(target)) return Error::BadArgument;
    if (const int error = finishAsWav(fd.get(), leftover)) return errorForErrno(error);
    const int linkError = linkInPlace(leftover.path, target);
    if (linkError == 0) return Error::None;
    if (linkError != EXDEV && linkError != EPERM && linkError != EOPNOTSUPP && linkError != EMLINK)
        return errorForErrno(linkError);
    const qint64 bytes = kCanonicalHeaderBytes + leftover.dataBytes + (leftover.dataBytes & 1);
    if (const int error = copySynced(fd.get(), bytes, target)) return errorForErrno(error);
    (void)::unlink(native(leftover.path).constData());
    syncFolder(QFileInfo(leftover.path).absolutePath());
    return Error::None;
}

}  // namespace sondex::mci
