#pragma once

#include <QString>
#include <QStringList>

namespace sondex {

// What setup wrote, so that removal takes away exactly that and nothing of the
// user's. A small text file beside the settings: a header line, then one
// "kind<TAB>absolute path" line per item.
struct UninstallRecord {
    enum class State { Read, Missing, Damaged };

    QStringList files;    // program files copied into the install folder
    QStringList folders;  // folders setup created, outermost first
    QStringList entries;  // menu, directory, autostart and desktop files

    static State read(const QString& path, UninstallRecord& record);
    bool write(const QString& path) const;

    // Adds each path not yet listed.
    static void addAll(QStringList& list, const QStringList& paths);
};

}  // namespace sondex
