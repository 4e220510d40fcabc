#include "platform/mci/FileCopy.h"

#include <cerrno>
#include <unistd.h>

#include <vector>

namespace sondex::mci {

namespace {

constexpr qint64 kCopyBufferBytes = 1 << 20;

int copyInKernel(int fromFd, qint64& fromOffset, int toFd, qint64& toOffset, qint64& bytes) {
    while (bytes > 0) {
        loff_t in = fromOffset;
        loff_t out = toOffset;
        const ssize_t done = ::copy_file_range(fromFd, &in, toFd, &out, size_t(bytes), 0);
        if (done < 0) return errno;
        if (done == 0) return EIO;  // the source ended early
        fromOffset += done;
        toOffset += done;
        bytes -= done;
    }
    return 0;
}

int copyThroughBuffer(int fromFd, qint64 fromOffset, int toFd, qint64 toOffset, qint64 bytes) {
    std::vector<char> buffer(size_t(qMin(bytes, kCopyBufferBytes)));
    while (bytes > 0) {
        const ssize_t got = ::pread(fromFd, buffer.data(), size_t(qMin<qint64>(bytes, buffer.size())),
                                    fromOffset);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno;
        if (got == 0) return EIO;
        if (const int error = writeAllAt(toFd, buffer.data(), got, toOffset)) return error;
        fromOffset += got;
        toOffset += got;
        bytes -= got;
    }
    return 0;
}

bool kernelCannotCopy(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP ||
           error == EBADF;
}

}  // namespace

int copyFileBytes(int fromFd, qint64 fromOffset, int toFd, qint64 toOffset, qint64 bytes) {
    const int error = copyInKernel(fromFd, fromOffset, toFd, toOffset, bytes);
    if (error == 0 || !kernelCannotCopy(error)) return error;
    return copyThroughBuffer(fromFd, fromOffset, toFd, toOffset, bytes);
}

int writeAllAt(int fd, const char* data, qint64 bytes, qint64 offset) {
    while (bytes > 0) {
        const ssize_t done = ::pwrite(fd, data, size_t(bytes), offset);
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) return errno;
        data += done;
        offset += done;
        bytes -= done;
    }
    return 0;
}

}  // namespace sondex::mci
