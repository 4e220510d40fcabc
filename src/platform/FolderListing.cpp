#include "platform/FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace sondex::listing {

namespace {

QDateTime modifiedTime(const struct stat& s) {
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(s.st_mtim.tv_sec) * 1000 +
                                          s.st_mtim.tv_nsec / 1000000);
}

}  // namespace

QString shownName(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

QByteArray joinPath(const QByteArray& folder, const QByteArray& name) {
    if (folder.endsWith('/')) return folder + name;
    return folder + '/' + name;
}

QByteArray parentFolder(const QByteArray& folder) {
    QByteArray path = folder;
    while (path.size() > 1 && path.endsWith('/')) path.chop(1);
    const qsizetype slash = path.lastIndexOf('/');
    if (slash <= 0) return "/";
    return path.left(slash);
}

QByteArray lastName(const QByteArray& path) {
    QByteArray trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith('/')) trimmed.chop(1);
    if (trimmed == "/") return trimmed;
    return trimmed.mid(trimmed.lastIndexOf('/') + 1);
}

FolderListing listFolder(const QByteArray& folder) {
    FolderListing listing;
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr) return listing;
    listing.readable = true;
    const int fd = ::dirfd(dir);
    while (const dirent* e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..") continue;
        FolderEntry entry;
        entry.name = name;
        entry.shown = shownName(name);
        entry.hidden = name.startsWith('.');
        struct stat s {};
        if (::fstatat(fd, e->d_name, &s, AT_SYMLINK_NOFOLLOW) == 0) {
            entry.isLink = S_ISLNK(s.st_mode);
            struct stat target {};
            if (entry.isLink && ::fstatat(fd, e->d_name, &target, 0) == 0) s = target;
            entry.isFolder = S_ISDIR(s.st_mode);
            entry.readOnly = (s.st_mode & S_IWUSR) == 0;
            entry.size = static_cast<qint64>(s.st_size);
            entry.modified = modifiedTime(s);
        }
        listing.entries.append(entry);
    }
    ::closedir(dir);
    return listing;
}

bool isReadableFolder(const QByteArray& folder) {
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr) return false;
    ::closedir(dir);
    return true;
}

bool isFolder(const QByteArray& path) {
    struct stat s {};
    return ::stat(path.constData(), &s) == 0 && S_ISDIR(s.st_mode);
}

QByteArray canonicalPath(const QByteArray& path) {
    char* resolved = ::realpath(path.constData(), nullptr);
    if (resolved == nullptr) return {};
    QByteArray result(resolved);
    std::free(resolved);
    return result;
}

qint64 deviceOf(const QByteArray& path) {
    struct stat s {};
    if (::stat(path.constData(), &s) != 0) return -1;
    return static_cast<qint64>(s.st_dev);
}

bool makeFolder(const QByteArray& path) {
    return ::mkdir(path.constData(), 0777) == 0;
}

bool removeFolder(const QByteArray& path) {
    return ::rmdir(path.constData()) == 0;
}

}  // namespace sondex::listing
