#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace sondex {

// The process-wide identity values, fixed at entry and handed to whoever needs them.
struct Identity {
    QString AppTitle;
    QString ProductKey;
    QString ProgramFolder;  // the user's data folder, with a trailing "/"
    int ExpectedVersion = 22;
    int ProductNumber = 0;
    QString UninstallerName;

    static Identity forThisUser();
};

// "unin_tavik" followed by the product number as three digits ("unin_tavik000").
QString uninstallerNameFor(int productNumber);

enum class RunMode : int {
    Normal = 0,
    Uninstall = 1,         // first argument is exactly "/uninstall"
    UninstallCopy = 2,     // started under the uninstaller's name
    UninstallRefused = 999 // "/uninstall" while the recorder or the setup window runs
};

// Run mode from the arguments (without the program name) and the name the
// program was started under (argv[0], not the resolved link).
RunMode initialRunMode(const QStringList& arguments, const QString& invokedAs,
                       const QString& uninstallerName);

// The stored settings version: the empty text reads as 255; a text that is not
// a decimal number has no version (nullopt), which never matches.
std::optional<int> storedVersion(const QString& text);

// A version for display: tens "." units ("2.2"), "?.?" when it reads as 255
// or is not a number.
QString versionText(std::optional<int> version);

}  // namespace sondex
