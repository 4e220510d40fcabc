#pragma once

#include <QObject>
#include <QStringList>

namespace sondex {

// The music list `ListBox3`: full paths of the files the music sequence plays,
// in play order (duplicates allowed, whether a file exists is found out when
// it plays), its current entry, and the list file "SONDEXMI.LIS" that keeps
// it from run to run. The panel shows it, and its file names in `ListBoxFNF`.
class MusicList : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Never says anything: a missing or unreadable file is an empty list, and
    // lines that cannot be a file's path (not absolute, over-long, control
    // characters) are passed over.
    void load(const QString& path);
    bool save(const QString& path) const;

    const QStringList& paths() const { return paths_; }
    // The entries' file names, at the same indexes.
    QStringList names() const;
    // `Label10`: the number of entries and "ｺ".
    QString countText() const;
    // The entry the music sequence takes next; -1 for none.
    int current() const { return current_; }
    void setCurrent(int index);

    // Appends the paths; the first of them becomes the current entry.
    // Returns its index, -1 when there were none.
    int append(const QStringList& paths);
    // `Button32`: the entries at these rows go.
    void remove(QList<int> rows);
    // `Button33` (up, -1) and `Button34` (down, +1); the rows selected afterwards.
    QList<int> move(QList<int> rows, int direction);
    // The entry's file was renamed: only that line changes, so the views
    // keep their selection (entryRenamed, not changed).
    void setPath(int row, const QString& path);

signals:
    void changed();
    void entryRenamed(int row);

private:
    QStringList paths_;
    int current_ = -1;
};

}  // namespace sondex
