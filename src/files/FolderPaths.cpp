#include "files/FolderPaths.h"

#include "core/Setting.h"
#include "platform/AppPaths.h"

#include <QDir>

namespace sondex::folders {

QString fullFolderPath(const QString& text) {
    return paths::withTrailingSlash(paths::absoluteFolder(text));
}

QStringList cumulativeFolders(const QString& fullPath) {
    QStringList folders{QStringLiteral("/")};
    QString prefix;
    for (const QString& part : fullPath.split(u'/', Qt::SkipEmptyParts)) {
        prefix += u'/' + part;
        folders.append(prefix);
    }
    return folders;
}

QString defaultFolder(const QString& dirName) {
    return paths::homeFolder() + QStringLiteral("/TAVIKT32/") + dirName;
}

bool meansNoFolder(const QString& folder) {
    return folder.isEmpty() || folder == u"/" || folder == kNoFolderMarker;
}

}  // namespace sondex::folders
