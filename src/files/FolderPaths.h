#pragma once

#include <QString>
#include <QStringList>

// Path rules of the folder windows.
namespace sondex::folders {

// The text as a full path with a trailing "/", by the one folder rule
// (paths::absoluteFolder): "~" and relative texts start at the home folder.
QString fullFolderPath(const QString& text);

// Every folder on the way to a full path, root first, without trailing "/"
// except the root itself: "/a/b/" gives "/", "/a", "/a/b".
QStringList cumulativeFolders(const QString& fullPath);

// The folder offered as default for a name word: ~/TAVIKT32/<name>.
QString defaultFolder(const QString& dirName);

// The folder text means "no folder": empty, "/" alone, or the marker.
bool meansNoFolder(const QString& folder);

}  // namespace sondex::folders
