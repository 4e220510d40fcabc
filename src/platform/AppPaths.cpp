#include "platform/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace sondex::paths {

namespace {

QString envFolder(const char* variable, const QString& fallbackUnderHome) {
    const QString value = qEnvironmentVariable(variable);
    // XDG says relative values are invalid and must be ignored.
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) return value;
    return QDir(homeFolder()).filePath(fallbackUnderHome);
}

}  // namespace

QString homeFolder() { return QDir::homePath(); }

QString withTrailingSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/')) return folder;
    return folder + u'/';
}

QString withoutTrailingSlash(const QString& folder) {
    if (folder.size() > 1 && folder.endsWith(u'/')) return folder.chopped(1);
    return folder;
}

QString expandHome(const QString& path) {
    if (path == u"~") return homeFolder();
    if (path.startsWith(u"~/")) return homeFolder() + path.mid(1);
    return path;
}

QString recordingTempFolder() {
    for (const char* name : {"TEMP", "TMP", "TMPDIR"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty()) return value;
    }
    return QStringLiteral("/tmp");
}

QString absoluteFolder(const QString& text) {
    const QString expanded = expandHome(text.trimmed());
    return QDir::cleanPath(QDir(homeFolder()).absoluteFilePath(expanded));
}

QString configFolder() {
    return withTrailingSlash(envFolder("XDG_CONFIG_HOME", QStringLiteral(".config"))) +
           QStringLiteral("TAVIK SOFT32/");
}

QString settingsFile() { return configFolder() + QStringLiteral("SONDEX.ini"); }

QString programFolder() {
    const QString folder = withTrailingSlash(envFolder("XDG_DATA_HOME", QStringLiteral(".local/share"))) +
                           QStringLiteral("TAVIK SOFT32/SONDEX/");
    QDir().mkpath(folder);
    return folder;
}

QString autostartFolder() {
    return withTrailingSlash(envFolder("XDG_CONFIG_HOME", QStringLiteral(".config"))) + QStringLiteral("autostart/");
}

QString desktopFolder() {
    // The user-dirs file is shell syntax, one XDG_DESKTOP_DIR="$HOME/..." line;
    // without it the desktop is ~/Desktop. A desktop set to the home folder
    // itself means "no desktop", as xdg-user-dirs has it.
    const QString home = homeFolder();
    QString folder = QDir(home).filePath(QStringLiteral("Desktop"));
    QFile dirs(withTrailingSlash(envFolder("XDG_CONFIG_HOME", QStringLiteral(".config"))) +
               QStringLiteral("user-dirs.dirs"));
    if (dirs.size() < 64 * 1024 && dirs.open(QIODevice::ReadOnly)) {
        for (const QString& line : QString::fromUtf8(dirs.readAll()).split(u'\n')) {
            const QString text = line.trimmed();
            if (!text.startsWith(QStringLiteral("XDG_DESKTOP_DIR="))) continue;
            QString value = text.mid(16);
            if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')) value = value.mid(1).chopped(1);
            if (value.startsWith(QStringLiteral("$HOME"))) value = home + value.mid(5);
            if (QDir::isAbsolutePath(value)) folder = value;
        }
    }
    folder = QDir::cleanPath(folder);
    if (folder == QDir::cleanPath(home) || !QFileInfo(folder).isDir()) return QString();
    return withTrailingSlash(folder);
}

QString applicationsFolder() {
    return withTrailingSlash(envFolder("XDG_DATA_HOME", QStringLiteral(".local/share"))) +
           QStringLiteral("applications/");
}

QString iconThemeFolder() {
    return withTrailingSlash(envFolder("XDG_DATA_HOME", QStringLiteral(".local/share"))) +
           QStringLiteral("icons/hicolor/");
}

QString desktopDirectoriesFolder() {
    return withTrailingSlash(envFolder("XDG_DATA_HOME", QStringLiteral(".local/share"))) +
           QStringLiteral("desktop-directories/");
}

QString mergedMenusFolder() {
    return withTrailingSlash(envFolder("XDG_CONFIG_HOME", QStringLiteral(".config"))) +
           QStringLiteral("menus/applications-merged/");
}

QString runtimeFolder() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QDir().mkpath(folder);
    return withTrailingSlash(folder);
}

}  // namespace sondex::paths
