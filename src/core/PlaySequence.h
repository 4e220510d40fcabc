#pragma once

#include "core/BoxAnswer.h"
#include "core/MciChannel.h"
#include "core/RecordingController.h"
#include "core/SequenceSteps.h"

#include <QObject>

#include <functional>

class QTimer;

namespace sondex {

struct RecorderFlags;

// A list played entry by entry on one device, and with record along each
// entry recorded into a file of its own: what the CD and the music sequences
// share. It runs on posted steps: a start or an advance plays the next entry
// and returns; the device's end-of-play notice (or the polling timer stopping
// the device at the entry's end) carries out what the user asked for
// meanwhile and posts the next advance. Every request leaves its code and
// stops the device; while paused the device is stopped already, so the
// polling tick posts the notice itself. A kind supplies its list, how its
// device plays an entry, its positions and its labels.
class PlaySequence : public QObject, public RecordingController {
    Q_OBJECT
public:
    // What the user asked for; the next end-of-play notice carries it out.
    using Request = sequence::Request;

    // What a kind's sequence plays on and reports to.
    struct Wiring {
        Alias device;
        int noticeMessage;  // what the device's end-of-play notices arrive as
        QString timerName;  // the polling timer's
        std::function<void()> processEvents;
        // The recording log, after a sequence that recorded.
        std::function<void()> showLog;
    };

    // A sequence runs (from its start to its end, paused or not).
    bool isPlaying() const { return playing_; }
    bool isPaused() const { return paused_; }
    Request request() const { return request_; }

    // RecordingController
    bool onDeviceNotice(int message, qint64 wParam, qint64 lParam) override;
    void saveRunning() override;

signals:
    // The state, a label or an option changed.
    void changed();

protected:
    PlaySequence(MciChannel& channel, RecordingSession& session, RecorderFlags& flags, Wiring wiring,
                 QObject* parent);

    // The start, once the list holds entries: the playing state, then the
    // advance to the selected entry; `repaintFirst` shows the state before.
    void begin(bool repaintFirst);
    // A request button: pause while playing and not paused, resume while
    // paused, the others while a sequence runs.
    void ask(Request request);
    // The polling timer's tick.
    void poll();
    QTimer& pollTimer() { return *timer_; }

    // For a kind's playEntry(), in their order: the test flags cleared and,
    // with record along, the recording prepared (false: it said why) ...
    bool prepareEntry();
    // ... a request made before the entry shows is forgotten, but a stop
    // still ends the sequence ...
    void forgetRequest();
    // ... the prepared recording started (false when it did not) ...
    bool startRecording();
    // ... and once the device plays, the polling; always true.
    bool entryPlays();
    // The kind's error box; 中 断 breaks the sequence off. Always false.
    bool fail(const QString& text);
    // A failure once the devices are open: both are stopped and closed first.
    bool failStarted(const QString& text);

    void leavePause();
    void endSequence();
    void enterStopped();
    void processEvents();
    // A command to the kind's device, waited for, and its trimmed reply.
    int device(QStringView verb, QStringView rest = {});
    QString deviceReply() const;

    MciChannel& channel_;
    RecordingSession& session_;
    RecorderFlags& flags_;

private:
    virtual int entryCount() const = 0;
    virtual int currentEntry() const = 0;
    virtual void selectEntry(int index) = 0;
    virtual bool recordAlong() const = 0;
    virtual bool singleMode() const = 0;
    virtual bool repeats() const = 0;
    // Plays the selected entry (recording it along); false when it did not start.
    virtual bool playEntry() = 0;
    // Where the device is, into the position label.
    virtual void readPosition() = 0;
    // The polling stops the device here.
    virtual bool pastEntryEnd() const = 0;
    // Where a pause leaves the entry, to resume from.
    virtual void holdPausePosition() = 0;
    // Plays on from the resume position, leaving the pause (leavePause()) in its own order.
    virtual void resume() = 0;
    virtual BoxAnswer showFailure(const QString& text) = 0;
    virtual void onStopped() {}

    // The advance (message 1045 for the CD, 1044 for music): -2 the selected
    // entry, 0 the natural next, 1 skip, -1 back.
    void advance(int step);
    void postAdvance(int step);
    // The end-of-play notice (1035, 1034) as the paused polling sends it.
    void postNotice();
    void onNotice();
    void pause();

    Wiring wiring_;
    QTimer* timer_;
    Request request_ = Request::None;
    bool playing_ = false;
    bool paused_ = false;
};

}  // namespace sondex
