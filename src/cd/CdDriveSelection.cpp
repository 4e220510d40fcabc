#include "cd/CdDriveSelection.h"

#include "core/Settings.h"
#include "platform/cd/Volumes.h"

#include <algorithm>

namespace sondex {

namespace {

const QString kNoDrive = QStringLiteral("CDﾄﾞﾗｲﾌﾞがありません");

}  // namespace

CdDriveSelection::CdDriveSelection(Settings& settings, QString programTitle, QObject* parent)
    : QObject(parent), settings_(settings), programTitle_(std::move(programTitle)), caption_(kNoDrive) {}

void CdDriveSelection::setVolumes(const QList<cd::CdUnit>& units, const QList<DiskVolume>& disks) {
    units_ = units;
    disks_ = disks;
    selected_ = 0;
    emit unitsChanged();
}

void CdDriveSelection::selectInitial() {
    selected_ = 0;
    if (units_.isEmpty()) {
        caption_ = kNoDrive;
        element_.clear();
        emit changed();
        return;
    }
    // A stored unit that is gone gives the first, and choosing it stores that.
    const QString stored = settings_.text(Setting::CDDRIVE).trimmed().toUpper();
    int index = 0;
    for (int i = 0; i < count() && stored.size() == 1; ++i) {
        if (units_[i].letter == stored[0]) index = i;
    }
    select(index);
}

bool CdDriveSelection::select(int index) {
    if (index < 0 || index >= count()) return false;
    selected_ = index;
    const QChar letter = units_[index].letter;
    caption_ = cd::driveLabel(letter) + QStringLiteral("- ") + programTitle_;
    // The element is made from the caption's letter and colon.
    element_ = u'!' + caption_.mid(1, 2);
    settings_.setText(Setting::CDDRIVE, QString(letter));
    emit changed();
    emit unitChosen(letter);
    return true;
}

int CdDriveSelection::addUnit(const cd::CdUnit& unit) {
    for (int i = 0; i < count(); ++i) {
        if (units_[i].letter == unit.letter) return i;
    }
    const auto at = std::find_if(units_.begin(), units_.end(),
                                 [&unit](const cd::CdUnit& u) { return u.letter > unit.letter; });
    const int index = static_cast<int>(at - units_.begin());
    const bool hadUnits = !units_.isEmpty();
    units_.insert(index, unit);
    // The selected unit stays selected although its place may move.
    if (hadUnits && index <= selected_) ++selected_;
    emit unitsChanged();
    emit changed();
    return index;
}

QStringList CdDriveSelection::labels() const {
    QStringList labels;
    for (const cd::CdUnit& unit : units_) labels.append(cd::driveLabel(unit.letter));
    return labels;
}

QStringList CdDriveSelection::driveList() const { return cd::driveListEntries(disks_, units_); }

QString CdDriveSelection::driveLabel() const {
    return units_.isEmpty() ? QString() : cd::driveLabel(units_[selected_].letter);
}

QString CdDriveSelection::menuTitle() const {
    return caption_.left(3) + QStringLiteral("- CDDA再生対象ﾄﾞﾗｲﾌﾞの選択");
}


}  // namespace sondex
