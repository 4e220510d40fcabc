#include "cd/CdLists.h"

#include "cd/CdEntry.h"
#include "platform/ListFile.h"

#include <algorithm>
#include <numeric>

namespace sondex {

QList<int> CdLists::validRows(QList<int> rows, qsizetype size) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.removeIf([size](int row) { return row < 0 || row >= size; });
    return rows;
}

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
    const QList<int> rows = validRows(std::move(searchRows), search_.size());
    for (const int row : rows) registered_.append(search_[row]);
    if (!rows.isEmpty()) emit registeredChanged();
    return !rows.isEmpty();
}

void CdLists::moveToSearch(QList<int> registeredRows) {
    const QList<int> rows = validRows(std::move(registeredRows), registered_.size());
    if (rows.isEmpty()) return;
    for (const int row : rows) search_.append(registered_[row]);
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) registered_.removeAt(*row);
    emit registeredChanged();
    emit searchChanged();
}

void CdLists::moveAllToSearch() {
    QList<int> all(registered_.size());
    std::iota(all.begin(), all.end(), 0);
    moveToSearch(all);
}

QList<int> CdLists::moveRegistered(QList<int> selectedRows, int direction) {
    const QList<int> rows = validRows(std::move(selectedRows), registered_.size());
    if (rows.isEmpty()) return {};
    QStringList taken;
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) taken.prepend(registered_.takeAt(*row));
    const int target = std::clamp(rows.first() + direction, 0, static_cast<int>(registered_.size()));
    QList<int> selected;
    for (qsizetype k = 0; k < taken.size(); ++k) {
        registered_.insert(target + k, taken[k]);
        selected.append(target + static_cast<int>(k));
    }
    emit registeredChanged();
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
