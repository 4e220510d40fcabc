#pragma once

#include "support/pulse/PrivatePulseServer.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

namespace sondex::test {

// A CD take recorded along by the whole recorder: a private sound server whose
// sink suspends when idle, a disc image of three tracks of distinct noise as
// unit E, the registered list " E:1", " E:2", " E:3", and the real window on
// the real device engine, built as the program builds it, with "録音" ticked.
// A second start of the program hands its command line over, and the rig
// waits until the window has closed itself, or has shown the recording log
// and is then closed by the rig. Runs in a private home.
class CdSequenceRig {
public:
    // recorderBinary: the program a second start runs.
    CdSequenceRig(int trackSeconds, QString recorderBinary);
    ~CdSequenceRig();
    CdSequenceRig(const CdSequenceRig&) = delete;
    CdSequenceRig& operator=(const CdSequenceRig&) = delete;

    // The server, the disc, the settings and the list file; false with failure().
    bool prepare();
    // Starts the recorder, waits for its start-up, ticks "録音", then starts
    // the program a second time with `arguments` (`handedOver` runs right
    // before) and waits for the window's closed() or the log opened on the
    // desktop. False with failure() when anything fails or neither came
    // within timeoutMs.
    bool run(const QStringList& arguments, int timeoutMs, const std::function<void()>& handedOver = {});
    // The window closed by itself (rather than after showing the log).
    bool closedItself() const { return closedItself_; }

    QString failure() const { return failure_; }
    const PrivatePulseServer& server() const { return server_; }
    int trackCount() const { return int(tracks_.size()); }
    const std::vector<qint16>& track(int number) const { return tracks_[size_t(number - 1)]; }
    // Where the disc image (disc.cue, disc.bin) lies.
    QString discFolder() const { return scratch_.path(); }

    // The WAV files in the recording folder, by name.
    QStringList savedFiles() const;
    // The entries of the recording log file, oldest first.
    QStringList logLines() const;
    // The text of every message box shown, in order.
    QStringList boxTexts() const;

private:
    struct Recorder;
    bool fail(const QString& why);
    QString recordingFolder() const;

    PrivatePulseServer server_;
    QTemporaryDir scratch_;
    std::vector<std::vector<qint16>> tracks_;
    QString recorderBinary_;
    QString failure_;
    bool closedItself_ = false;
    std::unique_ptr<Recorder> recorder_;
};

}  // namespace sondex::test
