#include "cd/CdLists.h"

#include "cd/CdEntry.h"
#include "core/ListMoves.h"
#include "platform/ListFile.h"

#include <numeric>

namespace sondex {

void CdLists::loadRegistered(const QString& path) {
    registered_.clear();
    for (const QString& line : listfile::read(path)) {
        if (const std::optional<QString> entry = cdentry::fromListLine(line)) registered_.append(*entry);
    }
    emit registeredChanged();
}

bool CdLists::saveRegistered(const QString& path) const { return listfile::write(path, registered_); }

void CdLists::clearSearch() {
    search_.clear();
    emit searchChanged();
}

int CdLists::appendSearch(const QString& entry) {
    search_.append(entry);
    emit searchChanged();
    return static_cast<int>(search_.size()) - 1;
}

bool CdLists::copyToRegistered(QList<int> searchRows) {
    const QList<int> rows = listmoves::validRows(std::move(searchRows), search_.size());
    for (const int row : rows) registered_.append(search_[row]);
    if (!rows.isEmpty()) emit registeredChanged();
    return !rows.isEmpty();
}

void CdLists::moveToSearch(QList<int> registeredRows) {
    const QStringList moved = listmoves::takeRows(registered_, std::move(registeredRows));
    if (moved.isEmpty()) return;
    search_.append(moved);
    emit registeredChanged();
    emit searchChanged();
}

void CdLists::moveAllToSearch() {
    QList<int> all(registered_.size());
    std::iota(all.begin(), all.end(), 0);
    moveToSearch(all);
}

QList<int> CdLists::moveRegistered(QList<int> selectedRows, int direction) {
    const QList<int> selected = listmoves::moveBlock(registered_, std::move(selectedRows), direction);
    if (!selected.isEmpty()) emit registeredChanged();
    return selected;
}

void CdLists::useAsSelection(Source source, const QString& caption) {
    selection_ = source == Source::Registered ? registered_ : search_;
    source_ = caption + QStringLiteral("：");
    selected_ = selection_.isEmpty() ? -1 : 0;
    emit selectionChanged();
    emit selectedEntryChanged(selected_);
}

void CdLists::selectEntry(int index) {
    if (index < -1 || index >= selection_.size() || index == selected_) return;
    selected_ = index;
    emit selectedEntryChanged(selected_);
}

}  // namespace sondex
