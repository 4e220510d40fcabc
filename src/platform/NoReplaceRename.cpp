#include "platform/NoReplaceRename.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace sondex::noreplace {

namespace {

Result failed(int error) {
    return {error == EEXIST ? Outcome::Taken : Outcome::Failed, error};
}

int renameNoReplace(const char* from, const char* to) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
#else
    return static_cast<int>(
        ::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
#endif
}

}  // namespace

Result rename(const QByteArray& from, const QByteArray& to) {
    if (from.isEmpty() || to.isEmpty()) return failed(ENOENT);
    if (renameNoReplace(from.constData(), to.constData()) == 0) return {Outcome::Done, 0};
    const int error = errno;
    // Only a file system that does not know the flag gets the slower way; any
    // other refusal is the answer.
    if (error == EINVAL || error == ENOSYS) return linkThenUnlink(from, to);
    return failed(error);
}

Result linkThenUnlink(const QByteArray& from, const QByteArray& to) {
    if (::link(from.constData(), to.constData()) != 0) return failed(errno);
    if (::unlink(from.constData()) == 0) return {Outcome::Done, 0};
    const int error = errno;
    ::unlink(to.constData());
    return {Outcome::Failed, error};
}

}  // namespace sondex::noreplace
