#include "platform/NameBytes.h"

#include <QFile>

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace sondex::namebytes {

namespace {

// The one entry of `folder` whose shown name is `shown`.
std::optional<QByteArray> entryShownAs(const QByteArray& folder, const QString& shown) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(
        ::opendir(folder.isEmpty() ? "/" : folder.constData()), &::closedir);
    if (!dir) return std::nullopt;
    std::optional<QByteArray> found;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QByteArray name(entry->d_name);
        if (QFile::decodeName(name) != shown) continue;
        if (found) return std::nullopt;
        found = name;
    }
    return found;
}

}  // namespace

bool exists(const QByteArray& path) {
    struct stat info {};
    return !path.isEmpty() && ::lstat(path.constData(), &info) == 0;
}

bool isFile(const QByteArray& path) {
    struct stat info {};
    return !path.isEmpty() && ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

QByteArray folderOf(const QByteArray& path) {
    return path.left(path.lastIndexOf('/') + 1);
}

std::optional<QByteArray> realPath(const QString& shownPath) {
    if (!shownPath.startsWith(u'/')) return std::nullopt;
    const QByteArray direct = QFile::encodeName(shownPath);
    if (exists(direct)) return direct;
    QByteArray resolved;
    for (const QString& component : shownPath.split(u'/', Qt::SkipEmptyParts)) {
        const QByteArray plain = resolved + '/' + QFile::encodeName(component);
        if (exists(plain)) {
            resolved = plain;
            continue;
        }
        const std::optional<QByteArray> entry = entryShownAs(resolved, component);
        if (!entry) return std::nullopt;
        resolved += '/' + *entry;
    }
    return resolved.isEmpty() ? std::nullopt : std::optional(resolved);
}

}  // namespace sondex::namebytes
