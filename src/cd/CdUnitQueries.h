#pragma once

#include <QChar>
#include <QString>

namespace sondex {

// What the CD operations ask of a drive letter before they use the device.
class CdUnitQueries {
public:
    virtual ~CdUnitQueries() = default;

    // The letter names a listed unit whose disc yields a table of contents.
    virtual bool hasReadableDisc(QChar letter) = 0;
    // The album title of the unit's disc (its CD-TEXT); empty when it has none.
    virtual QString albumTitle(QChar letter) = 0;
};

// The queries over the CD units table in the config folder, read afresh on
// each question, as the user may have added an image since.
class CdUnitsOnDisk final : public CdUnitQueries {
public:
    explicit CdUnitsOnDisk(QString configFolder);

    bool hasReadableDisc(QChar letter) override;
    QString albumTitle(QChar letter) override;

private:
    QString configFolder_;
};

}  // namespace sondex
