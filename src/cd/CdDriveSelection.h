#pragma once

#include "platform/DiskVolumes.h"
#include "platform/cd/CdUnits.h"

#include <QObject>
#include <QStringList>

namespace sondex {

class Settings;

// Which CD unit the CD commands play: the units found at start-up (and disc
// images added since), the selected one, and the texts that show it: the
// window caption, the CD element, the drive menu's title and the tray tip.
// The chosen unit's letter is the setting CDDRIVE, so the next start chooses
// it again. The window shows what it reads here (see changed()).
class CdDriveSelection : public QObject {
    Q_OBJECT
public:
    CdDriveSelection(Settings& settings, QString programTitle, QObject* parent = nullptr);

    // Start-up: the units and disk volumes found, then the unit stored last
    // (the first when it is gone, which is then stored).
    void setVolumes(const QList<cd::CdUnit>& units, const QList<DiskVolume>& disks);
    void selectInitial();

    // Selects unit index (the drive menu, the drive box, the CD searches and
    // the sequencer). Nothing happens without units or out of range.
    bool select(int index);
    // Selects the selected unit again (after the switching method changed).
    void reselect() { select(selected_); }
    // A unit listed since the start-up; its index (the unit's own when its letter is known).
    int addUnit(const cd::CdUnit& unit);

    int count() const { return static_cast<int>(units_.size()); }
    const QList<cd::CdUnit>& units() const { return units_; }
    QStringList labels() const;
    // The disk volumes' mount points, then the units' labels.
    QStringList driveList() const;
    const QList<DiskVolume>& disks() const { return disks_; }

    int selectedIndex() const { return selected_; }
    // " E:- SONDEX何でもWAV録音", or "CDﾄﾞﾗｲﾌﾞがありません" without units.
    QString caption() const { return caption_; }
    // "!E:", the device element of the selected unit; empty without units.
    QString element() const { return element_; }
    QString driveLabel() const;
    // The title item of the drive menu: " E:- CDDA再生対象ﾄﾞﾗｲﾌﾞの選択".
    QString menuTitle() const;

signals:
    // The unit list changed (a disc image was added).
    void unitsChanged();
    // The selection or its texts changed.
    void changed();
    // A unit was chosen: the CD device plays this unit from now on.
    void unitChosen(QChar letter);

private:
    Settings& settings_;
    QString programTitle_;
    QList<cd::CdUnit> units_;
    QList<DiskVolume> disks_;
    int selected_ = 0;
    QString caption_;
    QString element_;
};

}  // namespace sondex
