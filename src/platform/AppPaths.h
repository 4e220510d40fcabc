#pragma once

#include <QString>

// Where the recorder keeps its files on this machine. Every folder honours the
// XDG variables, so a test (or a second user profile) can point them elsewhere.
namespace sondex::paths {

// "$XDG_CONFIG_HOME/TAVIK SOFT32/" (default ~/.config/TAVIK SOFT32/), with a trailing "/".
QString configFolder();

// The settings file "SONDEX.ini" inside configFolder().
QString settingsFile();

// "$XDG_DATA_HOME/TAVIK SOFT32/SONDEX/" (default ~/.local/share/...), with a trailing "/".
// Lists, logs, reports and the template WAV live here. Created on demand.
QString programFolder();

// "$XDG_RUNTIME_DIR/" (Qt's fallback when unset): the per-user lock files and sockets.
QString runtimeFolder();

// The user's home folder, where "its drive" defaults (~/TAVIKT32, ~/TAVIKP32) are made.
QString homeFolder();

// "$XDG_CONFIG_HOME/autostart/": desktop entries started at login.
QString autostartFolder();

// The user's desktop folder (XDG user dirs), with a trailing "/"; empty when
// the desktop has no such folder (none set, set to the home folder, or missing).
QString desktopFolder();

// "$XDG_DATA_HOME/applications/": the user's menu entries.
QString applicationsFolder();

// "$XDG_DATA_HOME/icons/hicolor/": the user's own icon theme, where a per-user
// install puts the program's icon.
QString iconThemeFolder();

// "$XDG_DATA_HOME/desktop-directories/": names and icons of menu folders.
QString desktopDirectoriesFolder();

// "$XDG_CONFIG_HOME/menus/applications-merged/": menu files merged into the applications menu.
QString mergedMenusFolder();

// Adds a trailing "/" unless the text already ends in one (the empty text stays empty).
QString withTrailingSlash(const QString& folder);

// Removes one trailing "/" unless the text is the root "/" itself.
QString withoutTrailingSlash(const QString& folder);

// Expands a leading "~" or "~/" to the home folder; other texts are returned unchanged.
QString expandHome(const QString& path);

// The folder the recording device grows its temporary files in, and the
// temporary-file commands and rescues look in: TEMP, else TMP, else TMPDIR,
// else /tmp (no trailing "/").
QString recordingTempFolder();

// A folder as the user or the settings give it, made absolute by one rule:
// a leading "~" is the home folder, and so is the base of a relative path (a
// desktop program has no meaningful current folder). Cleaned, no trailing "/".
QString absoluteFolder(const QString& text);

}  // namespace sondex::paths
