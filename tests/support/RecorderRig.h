#pragma once

#include "support/pulse/PrivatePulseServer.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

namespace sondex {
class MainWindow;
}

namespace sondex::test {

// A take recorded along by the whole recorder: a private sound server whose
// sink suspends when idle, a private home whose settings name a recording
// folder, and the real window on the real device engine, built as the
// program builds it. A second start of the program hands its command line
// over, and the rig waits until the window has closed itself, or has shown
// the recording log and is then closed by the rig. Its flavours bring the
// material (a disc, music files) and tick the record-along box.
class RecorderRig {
public:
    // recorderBinary: the program a second start runs.
    explicit RecorderRig(QString recorderBinary);
    virtual ~RecorderRig();
    RecorderRig(const RecorderRig&) = delete;
    RecorderRig& operator=(const RecorderRig&) = delete;

    // The server, the settings and the flavour's material; false with failure().
    bool prepare();
    // Starts the recorder, waits for its start-up, arms the flavour's
    // record-along box, then starts the program a second time with
    // `arguments` (`handedOver` runs right before; none without arguments)
    // and waits for the window's
    // closed() or the log opened on the desktop. False with failure() when
    // anything fails or neither came within timeoutMs.
    bool run(const QStringList& arguments, int timeoutMs,
             const std::function<void()>& handedOver = {});
    // The window closed by itself (rather than after showing the log).
    bool closedItself() const { return closedItself_; }

    QString failure() const { return failure_; }
    const PrivatePulseServer& server() const { return server_; }
    // A folder for the material, gone with the rig.
    QString scratchFolder() const { return scratch_.path(); }

    // The WAV files in the recording folder, by name.
    QStringList savedFiles() const;
    // The entries of the recording log file, oldest first.
    QStringList logLines() const;
    // The text of every message box shown, in order.
    QStringList boxTexts() const;

protected:
    bool fail(const QString& why);
    // Writes what the take plays and the lists the recorder reads at its start.
    virtual bool prepareMaterial() = 0;
    // Ticks the record-along box of the started window; false with failure().
    virtual bool armRecording(MainWindow& window) = 0;
    // Runs once the window has taken the forwarded line.
    virtual void afterHandOver(MainWindow&) {}
    // The time-of-day timer's clock for the window; empty: the wall clock.
    virtual std::function<QDateTime()> timeOfDay() const { return {}; }

private:
    struct Recorder;
    QString recordingFolder() const;

    PrivatePulseServer server_;
    QTemporaryDir scratch_;
    QString recorderBinary_;
    QString failure_;
    bool closedItself_ = false;
    std::unique_ptr<Recorder> recorder_;
};

// The CD flavour: a disc image of three tracks of distinct noise as unit E,
// the registered list " E:1", " E:2", " E:3", and "録音" ticked.
class CdSequenceRig final : public RecorderRig {
public:
    CdSequenceRig(int trackSeconds, QString recorderBinary);

    int trackCount() const { return int(tracks_.size()); }
    const std::vector<qint16>& track(int number) const { return tracks_[size_t(number - 1)]; }
    // Where the disc image (disc.cue, disc.bin) lies.
    QString discFolder() const { return scratchFolder(); }

private:
    bool prepareMaterial() override;
    bool armRecording(MainWindow& window) override;

    std::vector<std::vector<qint16>> tracks_;
};

// The music flavour: the music area open with its "録音" ticked, the music
// list holding `registered` from the start. The files themselves are the
// caller's, in scratchFolder() or elsewhere. With startWithButton the
// sequence is started by its start button once the forwarded line is taken
// (for entries that no forwarded line can carry).
class MusicTakeRig final : public RecorderRig {
public:
    explicit MusicTakeRig(QString recorderBinary, QStringList registered = {},
                          bool startWithButton = false);

private:
    bool prepareMaterial() override;
    bool armRecording(MainWindow& window) override;
    void afterHandOver(MainWindow& window) override;

    QStringList registered_;
    bool startWithButton_;
};

// The time-of-day flavour: the timer ran at the last exit, and the day list's
// first entry, 08:00-08:01 (by default the only one, with the end action C),
// is in force by the window's clock, ending `secondsLeft` seconds after the
// start-up. The window's clock runs at the real pace from a moment just
// inside the entry.
// The clock dialog of the start-up is left open, as nobody is there; with
// closeAfterMs it is off, and the window is asked to close that long after
// its start-up.
class TimerTakeRig final : public RecorderRig {
public:
    TimerTakeRig(int secondsLeft, QString recorderBinary, int closeAfterMs = -1,
                 QStringList entries = {QStringLiteral("08:00-08:01 C 44S16")});

private:
    bool prepareMaterial() override;
    bool armRecording(MainWindow& window) override;
    std::function<QDateTime()> timeOfDay() const override;

    QDateTime entryEnd_;
    int secondsLeft_;
    int closeAfterMs_;
    QStringList entries_;
};

}  // namespace sondex::test
