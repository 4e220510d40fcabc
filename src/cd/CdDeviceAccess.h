#pragma once

#include "cd/CdDisc.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace sondex {

class CdDriveSelection;
class CdPrompts;
class CdUnitQueries;
class MciChannel;
class Settings;

// The CD device as the CD search and the CD sequencer use it: waking the
// chosen drive, deciding whether an audio CD is in it, its titles and the
// times of a track. It owns the current disc record and the cache of discs
// already examined in this run. Every command goes to the alias tavikCD.
class CdDeviceAccess {
public:
    // Lets pending window messages run at the points where the device may
    // have kept the window waiting.
    using ProcessEvents = std::function<void()>;

    CdDeviceAccess(MciChannel& channel, Settings& settings, CdPrompts& prompts,
                   CdUnitQueries& units, QString configFolder, ProcessEvents processEvents);

    // Set by the drive selection: the element "!E:" (empty when no drive has
    // been chosen) that goes into the open command, and the label " E:".
    void setCdElement(const QString& element) { cdElement_ = element; }
    void setDriveLabel(const QString& label) { driveLabel_ = label; }
    const QString& cdElement() const { return cdElement_; }
    const QString& driveLabel() const { return driveLabel_; }

    // False only when a chosen drive holds no readable disc. A drive that is
    // not ready costs a notice of NR_WAIT seconds and still counts as awake.
    bool WakeCdDrive();
    // The empty text when an audio CD is ready, else why not (cdcheck::).
    // Fills the identity, first track and track count; opens and closes the
    // device. With the cache, a disc already examined skips the test play.
    QString CheckCdDisc(bool useCache);
    // CheckCdDisc again while the test play fails, until the user breaks off
    // in the waiting box; then the result is the caller's abort text.
    QString CheckUntilPlayable(bool useCache, const QString& abortText);

    // "[LABEL]" of the drive: the disc's album title, in the letter's case.
    QString CdVolumeLabel(QChar letter);
    // Artist, title and (for a track above 0) the track's name from the
    // title file, "--" for each that is missing.
    void ReadDiscTitles(int track = 0);
    // "name  title  artist", or the identity and volume label when the title
    // file knows nothing of the disc.
    QString DiscSummary() const;
    // On an open device in msf format: sets the track start and end position
    // and returns the track's length, empty when the device gave none.
    QString GetTrackTimes(int n, int count);

    static QString MsfAdd(const QString& a, const QString& b, bool minusOne);
    static QString MsfSub(const QString& a, const QString& b);

    CdDisc& disc() { return disc_; }
    const CdDisc& disc() const { return disc_; }

private:
    std::optional<QString> examineOnce(bool useCache);
    bool takeFromCache();
    void remember();
    void readIdentity();
    int wait(QStringView verb, QStringView rest = {});
    int openDevice();
    void stopAndClose();
    QString reply() const;
    bool replyIsTrue() const;
    std::optional<QString> queryTimes(const QString& rest, int attempts);

    MciChannel& channel_;
    Settings& settings_;
    CdPrompts& prompts_;
    CdUnitQueries& units_;
    QString configFolder_;
    ProcessEvents processEvents_;
    QString cdElement_;
    QString driveLabel_;
    CdDisc disc_;
    // Discs examined in this run: identity, and at the same index
    // "first,count". Never pruned; a run sees few discs.
    QStringList knownIdentities_;
    QStringList knownTracks_;
};

// The device access plays the unit the drive selection has chosen: its
// element and label, copied after every select().
void followSelection(CdDeviceAccess& access, const CdDriveSelection& drives);

}  // namespace sondex
