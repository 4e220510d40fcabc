#include "platform/mci/RecordingSaver.h"

#include "platform/mci/FileCopy.h"
#include "platform/mci/Leftovers.h"
#include "platform/mci/RecordingFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace sondex::mci {

namespace {

// A hidden name beside the target: the file is finished there and renamed into place.
QString stagingPath(const QFileInfo& target, int attempt) {
    return target.absoluteDir().filePath(QStringLiteral(".%1.%2-%3.part")
                                             .arg(target.fileName())
                                             .arg(::getpid())
                                             .arg(attempt));
}

QByteArray native(const QString& path) { return QFile::encodeName(path); }

bool linkUnsupported(int error) {
    return error == EXDEV || error == EPERM || error == EOPNOTSUPP || error == EMLINK;
}

// Writes header and samples into a new file at the staging path; 0 or errno.
int streamCopy(RecordingFile& recording, const QString& staging) {
    const int fd = ::open(native(staging).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    const qint64 data = recording.dataBytes();
    const QByteArray header = canonicalWavHeader(recording.format(), data);
    int error = writeAllAt(fd, header.constData(), header.size(), 0);
    if (error == 0)
        error = copyFileBytes(recording.fd(), kCanonicalHeaderBytes, fd, kCanonicalHeaderBytes, data);
    if (error == 0 && (data & 1)) {
        const char pad = 0;
        error = writeAllAt(fd, &pad, 1, kCanonicalHeaderBytes + data);
    }
    // Synced, since the temporary file is then marked as saved.
    if (error == 0 && ::fdatasync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

// Puts the finished file in place at the staging path under the target name; 0 or errno.
int placeStaged(const QString& staging, const QString& target) {
    const int error = ::rename(native(staging).constData(), native(target).constData()) == 0 ? 0 : errno;
    // rename() does nothing when both names are links to one file (a second
    // save of the same recording under the same name): the staging name stays.
    QFile::remove(staging);
    return error;
}

}  // namespace

Error saveRecording(RecordingFile& recording, const QString& targetPath) {
    const QFileInfo target(targetPath);
    if (!target.absoluteDir().exists()) return Error::FolderMissing;
    if (target.isDir()) return Error::BadArgument;
    if (const int error = recording.sealForSave()) return errorForErrno(error);
    if (target.absoluteFilePath() == QFileInfo(recording.path()).absoluteFilePath())
        return Error::None;

    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString staging = stagingPath(target, attempt);
        if (::link(native(recording.path()).constData(), native(staging).constData()) == 0)
            return errorForErrno(placeStaged(staging, target.absoluteFilePath()));
        const int linkError = errno;
        if (linkError == EEXIST) continue;
        if (!linkUnsupported(linkError)) return errorForErrno(linkError);
        const int copyError = streamCopy(recording, staging);
        if (copyError == EEXIST) continue;
        if (copyError != 0) {
            QFile::remove(staging);
            return errorForErrno(copyError);
        }
        const int placeError = placeStaged(staging, target.absoluteFilePath());
        if (placeError == 0) markSaved(recording.fd());
        return errorForErrno(placeError);
    }
    return Error::WriteFailed;
}

}  // namespace sondex::mci
