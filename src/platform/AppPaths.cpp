#include "platform/AppPaths.h"

#include <QDir>
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
    return withTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

QString runtimeFolder() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QDir().mkpath(folder);
    return withTrailingSlash(folder);
}

}  // namespace sondex::paths
