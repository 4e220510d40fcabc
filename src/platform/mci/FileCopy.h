#pragma once

#include <QtGlobal>

namespace sondex::mci {

// Copies bytes between two open files at the given offsets: in the kernel where
// the file systems allow, otherwise through one fixed buffer, so memory stays
// flat for any length. Returns 0 or the errno of the failure.
int copyFileBytes(int fromFd, qint64 fromOffset, int toFd, qint64 toOffset, qint64 bytes);

// Writes all bytes at the offset, going on after short writes. Returns 0 or errno.
int writeAllAt(int fd, const char* data, qint64 bytes, qint64 offset);

}  // namespace sondex::mci
