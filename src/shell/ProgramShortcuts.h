#pragma once

#include <QString>
#include <QStringList>

namespace sondex {

struct Identity;

// The program's menu entry, start-up entry and desktop shortcut. Each command
// returns the message for the user, empty when it was done; what it writes is
// added to the uninstall record, and removal takes away only the program's own
// entries (those that carry its product marker).
// The program's icon in the icon theme: the package installs it, a per-user
// install copies it into the user's theme (installIcons).
inline constexpr char kIconName[] = "jp.tavik.Sondex";

// The program's icon at each size in the user's icon theme.
QStringList iconFiles();
// Writes them; returns those written, for the uninstall record.
QStringList installIcons();

class ProgramShortcuts {
public:
    ProgramShortcuts(QString title, QString productKey, QString executable, QString recordPath);
    // The running program, with the record beside the settings.
    static ProgramShortcuts forThisProcess(const Identity& identity);
    // "$XDG_CONFIG_HOME/TAVIK SOFT32/<key>.uninstall".
    static QString recordPathFor(const QString& productKey);

    // "<title>.desktop", the name of every entry of the program.
    QString entryFileName() const { return title_ + QStringLiteral(".desktop"); }

    // The menu entry in the submenu `group`, with its menu and directory files;
    // with `packageEntry` (a desktop file id) that entry goes into the submenu.
    QString addToGroup(const QString& group, const QString& packageEntry = QString()) const;
    QString addToStartup() const;
    void removeFromStartup() const;
    QString addToDesktop() const;
    void removeFromDesktop() const;

    bool atStartup() const;
    bool onDesktop() const;

    // Removes each file that is one of the program's entries; returns those removed.
    QStringList removeOwnEntries(const QStringList& paths) const;
    // The program's entries where it puts them, whether or not they exist.
    QStringList knownEntries(const QString& group) const;

private:
    QString writeEntry(const QString& path) const;
    void remember(const QStringList& written) const;
    // The program sits in one group: the files of groups it was in before go.
    void forgetOtherGroups(const QStringList& current) const;

    QString title_;
    QString productKey_;
    QString executable_;
    QString recordPath_;
};

// "jp.tavik.Sondex.desktop" when the package installed that menu entry in a system data folder.
QString packageMenuEntry();

// The groups offered for the menu entry: those the user's menus define, sorted,
// then "TAVIK SOFT" if present and "TAVIK SOFT32" last.
QStringList groupChoices(const QStringList& menuGroups);

}  // namespace sondex
