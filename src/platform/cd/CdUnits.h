#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// The CD units table: which optical drive or disc image each drive letter
// stands for. "CDDRIVES.INI" in the config folder lists them:
//
//   [CDDRIVES]
//   E=/dev/sr0
//   F=/home/me/discs/album.cue
//
// Without that file the optical drives get D:, E:, ... in order.
namespace sondex::cd {

struct CdUnit {
    QChar letter;    // 'A'..'Z'
    QString target;  // a device or an image path, absolute
};

struct CdUnitTable {
    QList<CdUnit> units;   // in letter order
    QStringList problems;  // lines passed over, each with its line number and why
    bool listed = false;   // the table comes from CDDRIVES.INI

    const CdUnit* find(QChar letter) const;
};

inline constexpr char kCdDrivesFile[] = "CDDRIVES.INI";

// The texts the recorder shows and sends for a unit: " E:" and "!E:".
QString driveLabel(QChar letter);
QString cdElement(QChar letter);

// The optical drives in a /dev listing: sr0, sr1, ... in number order.
QStringList opticalDrives(const QString& devFolder = QStringLiteral("/dev"));

// The units a CDDRIVES.INI text lists. A relative path is taken from the
// config folder and a leading "~" is the home folder. A line that is no
// "letter=target" pair, repeats a letter or names neither a device under
// /dev nor a .cue/.toc image is reported and passed over.
CdUnitTable cdUnitsFromText(const QByteArray& text, const QString& configFolder);

// The table: from CDDRIVES.INI when the folder has one (in any letter case),
// else the given optical drives as D:, E:, ... A file that cannot be read is
// reported and the optical drives are used.
CdUnitTable readCdUnits(const QString& configFolder, const QStringList& optical);

struct AddedUnit {
    QChar letter;   // null on failure
    QString error;  // why not, shown to the user
};

// Lists a disc image under the first free letter from D: on and writes
// CDDRIVES.INI (atomically; every other line stays as it is). When the file
// is new the optical drives are written first, so they keep their letters.
// An image already listed keeps its letter.
AddedUnit addImageUnit(const QString& configFolder, const QStringList& optical, const QString& imagePath);

}  // namespace sondex::cd
