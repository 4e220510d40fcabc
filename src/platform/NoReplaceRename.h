#pragma once

#include <QByteArray>

// Renaming that never replaces: whatever already has the new name (a file, a
// folder, a link) stays, even when it appears between a check and the rename.
// Paths are bytes, as the file system keeps them.
namespace sondex::noreplace {

enum class Outcome { Done, Taken, Failed };

struct Result {
    Outcome outcome = Outcome::Failed;
    int error = 0;  // errno of the failure, 0 when done
};

// renameat2 with RENAME_NOREPLACE; on a file system that refuses the flag
// (EINVAL), linkThenUnlink.
Result rename(const QByteArray& from, const QByteArray& to);

// A hard link under the new name (which refuses an existing name like the
// rename does), then the old name goes. When the old name cannot go, the new
// link goes again, so the file is left under its old name alone.
Result linkThenUnlink(const QByteArray& from, const QByteArray& to);

}  // namespace sondex::noreplace
