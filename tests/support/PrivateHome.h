#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace sondex::test {

// A throwaway home: HOME, the XDG folders, the runtime folder and the
// temporary-file variables all point into one temporary folder, so tests run
// in parallel and never touch the machine's user, recorder or sound server.
class PrivateHome {
public:
    PrivateHome();

    QString root() const { return dir_.path(); }
    QString home() const { return root() + QStringLiteral("/home"); }
    QString configHome() const { return root() + QStringLiteral("/config"); }
    QString dataHome() const { return root() + QStringLiteral("/data"); }
    QString runtimeDir() const { return root() + QStringLiteral("/run"); }
    QString tempDir() const { return root() + QStringLiteral("/tmp"); }

    // The settings file the recorder reads in this home.
    QString settingsFile() const;

    // The environment for a child process living in this home.
    QProcessEnvironment environment() const;

    // Points this process at the home (for tests that run the code in-process).
    void applyToThisProcess() const;

private:
    QTemporaryDir dir_;
};

}  // namespace sondex::test
