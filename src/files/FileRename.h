#pragma once

#include <QString>

// The file steps of renaming one file, apart from the window: the checks
// with their messages, then the rename by the file's real bytes.
namespace sondex::filerename {

enum class Outcome { Done, Missing, Taken, Failed };

// `folder` ends in "/"; `oldName` is the name as shown; `newName` as typed
// (not empty). Never replaces anything: a name taken after the check is still
// refused (Taken).
Outcome renameFile(const QString& folder, const QString& oldName, const QString& newName);

// The notice for an outcome other than Done.
QString notice(Outcome outcome, const QString& oldPath, const QString& newPath);

// The shown path names an existing regular file.
bool isExistingFile(const QString& shownPath);

}  // namespace sondex::filerename
