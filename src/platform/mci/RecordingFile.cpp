#include "platform/mci/RecordingFile.h"

#include "platform/mci/FileCopy.h"
#include "platform/mci/Leftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sondex::mci {

namespace {

// How much of a take a crash may cost: the samples gathered since the last refresh.
constexpr auto kHeaderRefreshInterval = std::chrono::milliseconds(500);
// More than a second of CD sound, so that samples reach the disk with the header refresh.
constexpr size_t kGatherBytes = 256 * 1024;
constexpr int kNameAttempts = 1000;

// The largest whole-frame data size whose file, with its pad byte, stays within the limit.
qint64 dataLimitFor(const PcmFormat& format, qint64 fileSizeLimit) {
    const qint64 frame = format.blockAlign();
    qint64 bytes = qMax<qint64>(0, (fileSizeLimit - kCanonicalHeaderBytes) / frame * frame);
    while (bytes > 0 && kCanonicalHeaderBytes + bytes + (bytes & 1) > fileSizeLimit) bytes -= frame;
    return bytes;
}

int openNewFile(const QString& folder, QString& path) {
    quint32 number = QRandomGenerator::global()->bounded(100000u);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt, number = (number + 1) % 100000) {
        path = QDir(folder).filePath(QStringLiteral("~MCI%1.TMP").arg(number, 5, 10, QLatin1Char('0')));
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

RecordingFile::RecordingFile(QString path, int fd, const PcmFormat& format, qint64 dataBytes,
                             qint64 fileSizeLimit)
    : path_(std::move(path)),
      fd_(fd),
      format_(format),
      dataBytes_(dataBytes),
      onDisk_(dataBytes),
      maxDataBytes_(dataLimitFor(format, fileSizeLimit)),
      lastHeaderWrite_(std::chrono::steady_clock::now()) {
    // The lock tells the recovery of leftovers that this take is running.
    (void)lockRecordingFile(fd_);
}

RecordingFile::~RecordingFile() {
    if (fd_ >= 0 && !gathered_.empty()) writeHeader();
    if (fd_ >= 0) ::close(fd_);
}

std::unique_ptr<RecordingFile> RecordingFile::create(const QString& folder, const PcmFormat& format,
                                                     qint64 fileSizeLimit, Error& error) {
    QString path;
    const int fd = openNewFile(folder, path);
    if (fd < 0) {
        error = Error::TemporaryFileFailed;
        return nullptr;
    }
    std::unique_ptr<RecordingFile> file(new RecordingFile(path, fd, format, 0, fileSizeLimit));
    if (file->writeHeader() != 0) {
        file->removeFile();
        error = Error::TemporaryFileFailed;
        return nullptr;
    }
    error = Error::None;
    return file;
}

std::unique_ptr<RecordingFile> RecordingFile::adopt(const QString& path, qint64 fileSizeLimit,
                                                    Error& error) {
    int readError = 0;
    const std::optional<PcmFormat> format = readWavFormat(path, readError);
    if (!format) {
        error = static_cast<Error>(readError);
        return nullptr;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || !lockRecordingFile(fd) || ::fstat(fd, &info) != 0) {
        if (fd >= 0) ::close(fd);
        error = Error::FileUnreadable;
        return nullptr;
    }
    const qint64 frame = format->blockAlign();
    const qint64 data = qMax<qint64>(0, (info.st_size - kCanonicalHeaderBytes) / frame * frame);
    std::unique_ptr<RecordingFile> file(new RecordingFile(path, fd, *format, data, fileSizeLimit));
    error = data > file->maxDataBytes_ ? Error::SizeLimitReached : file->prepareForAppend();
    if (error != Error::None) return nullptr;
    return file;
}

RecordingFile::Append RecordingFile::append(const char* data, qint64 bytes) {
    return writeAtEnd(data, bytes, false);
}

RecordingFile::Append RecordingFile::appendSilence(qint64 bytes) {
    return writeAtEnd(nullptr, bytes, true);
}

void RecordingFile::dropLast(qint64 bytes) {
    const qint64 kept = qMax<qint64>(0, dataBytes() - bytes);
    if (kept >= onDisk_) {
        gathered_.resize(size_t(kept - onDisk_));
    } else {
        gathered_.clear();
        onDisk_ = kept;
        (void)::ftruncate(fd_, kCanonicalHeaderBytes + kept);
    }
    dataBytes_.store(kept, std::memory_order_release);
}

Error RecordingFile::appendFromFile(const QString& path, qint64 offset, qint64 bytes) {
    if (const int error = writeGathered()) return errorForErrno(error);
    const qint64 start = dataBytes();
    if (bytes > maxDataBytes_ - start) return Error::SizeLimitReached;
    const int from = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (from < 0) return Error::FileUnreadable;
    const int error = copyFileBytes(from, offset, fd_, kCanonicalHeaderBytes + start, bytes);
    ::close(from);
    if (error != 0) {
        (void)::ftruncate(fd_, kCanonicalHeaderBytes + start);
        return errorForErrno(error);
    }
    onDisk_ = start + bytes;
    dataBytes_.store(onDisk_, std::memory_order_release);
    return writeHeader() == 0 ? Error::None : Error::WriteFailed;
}

RecordingFile::Append RecordingFile::writeAtEnd(const char* data, qint64 bytes, bool silence) {
    const qint64 start = dataBytes();
    const qint64 room = maxDataBytes_ - start;
    const bool cut = bytes > room;
    if (cut) bytes = room / format_.blockAlign() * format_.blockAlign();
    // Silence of unsigned 8-bit samples is their middle value.
    const char silent = format_.bitsPerSample == 8 ? char(0x80) : char(0);
    if (gathered_.capacity() < kGatherBytes) gathered_.reserve(kGatherBytes);
    for (qint64 done = 0; done < bytes;) {
        const qint64 part = qMin<qint64>(bytes - done, qint64(kGatherBytes - gathered_.size()));
        if (silence)
            gathered_.insert(gathered_.end(), size_t(part), silent);
        else
            gathered_.insert(gathered_.end(), data + done, data + done + part);
        done += part;
        dataBytes_.store(start + done, std::memory_order_release);
        if (gathered_.size() >= kGatherBytes && writeGathered() != 0) return Append::Failed;
    }
    const bool due = std::chrono::steady_clock::now() - lastHeaderWrite_ >= kHeaderRefreshInterval;
    if ((cut || due) && writeHeader() != 0) return Append::Failed;
    return cut ? Append::LimitReached : Append::Written;
}

int RecordingFile::writeGathered() {
    if (gathered_.empty()) return 0;
    const int error = writeAllAt(fd_, gathered_.data(), qint64(gathered_.size()), kCanonicalHeaderBytes + onDisk_);
    if (error != 0) return keepWhatReachedTheDisk(error);
    onDisk_ += qint64(gathered_.size());
    gathered_.clear();
    return 0;
}

int RecordingFile::keepWhatReachedTheDisk(int error) {
    // Keep what reached the disk as whole frames, under a header that says so.
    lastErrno_ = error;
    const qint64 frame = format_.blockAlign();
    struct stat info {};
    const qint64 written = ::fstat(fd_, &info) == 0 ? info.st_size - kCanonicalHeaderBytes : onDisk_;
    onDisk_ = qBound(onDisk_, written, onDisk_ + qint64(gathered_.size())) / frame * frame;
    gathered_.clear();
    dataBytes_.store(onDisk_, std::memory_order_release);
    (void)::ftruncate(fd_, kCanonicalHeaderBytes + onDisk_);
    const QByteArray header = canonicalWavHeader(format_, onDisk_);
    (void)writeAllAt(fd_, header.constData(), header.size(), 0);
    return error;
}

int RecordingFile::writeHeader() {
    lastHeaderWrite_ = std::chrono::steady_clock::now();
    if (const int error = writeGathered()) return error;
    const QByteArray header = canonicalWavHeader(format_, dataBytes());
    return writeAllAt(fd_, header.constData(), header.size(), 0);
}

Error RecordingFile::prepareForAppend() {
    if (const int error = writeGathered()) return errorForErrno(error);
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return Error::WriteFailed;
    const qint64 length = kCanonicalHeaderBytes + dataBytes();
    if (info.st_nlink > 1) {
        QString copyPath;
        const int copyFd = openNewFile(QFileInfo(path_).absolutePath(), copyPath);
        if (copyFd < 0) return Error::TemporaryFileFailed;
        if (const int error = copyFileBytes(fd_, 0, copyFd, 0, length)) {
            ::close(copyFd);
            QFile::remove(copyPath);
            return errorForErrno(error);
        }
        (void)lockRecordingFile(copyFd);
        ::close(fd_);
        QFile::remove(path_);
        fd_ = copyFd;
        path_ = copyPath;
    } else {
        clearSavedMark(fd_);  // a copy saved what there was; the samples to come are not saved
        if (info.st_size > length && ::ftruncate(fd_, length) != 0) return errorForErrno(errno);
    }
    return Error::None;
}

int RecordingFile::sealForSave() {
    if (const int error = writeHeader()) return error;
    const qint64 data = dataBytes();
    if ((data & 1) == 0) return 0;
    const char pad = 0;
    return writeAllAt(fd_, &pad, 1, kCanonicalHeaderBytes + data);
}

void RecordingFile::removeFile() {
    gathered_.clear();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    QFile::remove(path_);
}

}  // namespace sondex::mci
