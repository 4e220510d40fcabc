#include "support/PrivateHome.h"

#include <QDir>
#include <QFile>

namespace sondex::test {

PrivateHome::PrivateHome() : dir_(QDir::tempPath() + QStringLiteral("/sondex-test-XXXXXX")) {
    for (const QString& folder : {home(), configHome(), dataHome(), runtimeDir(), tempDir()})
        QDir().mkpath(folder);
    QFile::setPermissions(runtimeDir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QString PrivateHome::settingsFile() const { return configHome() + QStringLiteral("/TAVIK SOFT32/SONDEX.ini"); }

QProcessEnvironment PrivateHome::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome());
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    env.insert(QStringLiteral("TEMP"), tempDir());
    env.insert(QStringLiteral("TMP"), tempDir());
    env.insert(QStringLiteral("TMPDIR"), tempDir());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + runtimeDir() + QStringLiteral("/no-pulse"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

void PrivateHome::applyToThisProcess() const {
    const QProcessEnvironment env = environment();
    for (const QString& name : env.keys()) qputenv(name.toLocal8Bit().constData(), env.value(name).toLocal8Bit());
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
}

}  // namespace sondex::test
