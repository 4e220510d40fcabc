#include "music/MusicList.h"

#include "core/ListMoves.h"
#include "platform/ListFile.h"

#include <QFileInfo>

#include <algorithm>

namespace sondex {

namespace {

// The longest path the system takes.
constexpr qsizetype kLongestPath = 4096;

bool isPath(const QString& line) {
    if (!line.startsWith(u'/') || line.size() > kLongestPath) return false;
    return std::none_of(line.cbegin(), line.cend(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

}  // namespace

void MusicList::load(const QString& path) {
    paths_.clear();
    for (const QString& line : listfile::read(path)) {
        if (isPath(line)) paths_.append(line);
    }
    current_ = paths_.isEmpty() ? -1 : 0;
    emit changed();
}

bool MusicList::save(const QString& path) const { return listfile::write(path, paths_); }

QStringList MusicList::names() const {
    QStringList names;
    for (const QString& path : paths_) names.append(QFileInfo(path).fileName());
    return names;
}

QString MusicList::countText() const { return QString::number(paths_.size()) + QStringLiteral("ｺ"); }

void MusicList::setCurrent(int index) {
    if (index < -1 || index >= paths_.size()) return;
    current_ = index;
}

int MusicList::append(const QStringList& paths) {
    if (paths.isEmpty()) return -1;
    const int first = static_cast<int>(paths_.size());
    paths_.append(paths);
    current_ = first;
    emit changed();
    return first;
}

void MusicList::remove(QList<int> rows) {
    if (listmoves::takeRows(paths_, std::move(rows)).isEmpty()) return;
    if (current_ >= paths_.size()) current_ = -1;
    emit changed();
}

QList<int> MusicList::move(QList<int> rows, int direction) {
    const QList<int> selected = listmoves::moveBlock(paths_, std::move(rows), direction);
    if (selected.isEmpty()) return selected;
    current_ = selected.first();
    emit changed();
    return selected;
}

void MusicList::setPath(int row, const QString& path) {
    if (row < 0 || row >= paths_.size()) return;
    paths_[row] = path;
    emit entryRenamed(row);
}

}  // namespace sondex
