#pragma once

#include <QString>
#include <QStringList>

// The freedesktop files that put the program in the applications menu, the
// autostart folder and on the desktop. Texts only and small file helpers; the
// folders come from AppPaths.
namespace sondex::entries {

// What an entry starts and how it is shown. `marker` is written as
// X-TAVIK-Product so that removal touches only entries this program wrote.
struct Launcher {
    QString name;
    QString executable;  // absolute path
    QString icon;        // icon name or absolute path; empty for none
    QString marker;
};

// The Exec value for one program path without arguments: quoted when it holds a
// reserved character, with the escapes of both the Exec rules and string values.
QString execValue(const QString& executable);

// "<name>.desktop" for an application entry.
QString entryText(const Launcher& launcher);
// A ".directory" file naming a menu folder.
QString directoryText(const QString& group);
// A menu file that puts the entry into the submenu `group` of the applications menu.
QString menuText(const QString& group, const QString& directoryFile, const QString& entryFile);

// A group becomes part of file names: no "/", no control characters, not "." or "..".
bool isUsableGroupName(const QString& group);
// Base name of the group's menu and directory files.
QString groupFileStem(const QString& group);

// The submenus the user's merged menu files define, in file order, each once.
QStringList menuGroups(const QString& mergedMenusFolder);

// Whether the file is a desktop entry carrying X-TAVIK-Product=<marker>.
bool carriesMarker(const QString& path, const QString& marker);

// Writes the whole text atomically; on failure `error` gets the reason.
bool writeTextFile(const QString& path, const QString& text, QString* error);

}  // namespace sondex::entries
