#include "core/PlaySequence.h"

#include "core/DeviceCommand.h"
#include "core/RecorderFlags.h"
#include "core/RecordingSession.h"

#include <QTimer>

namespace sondex {

namespace {

constexpr int kPollMs = 1000;
// A resume asked for while paused is carried out by the next tick, soon.
constexpr int kResumeTickMs = 100;

}  // namespace

PlaySequence::PlaySequence(MciChannel& channel, RecordingSession& session, RecorderFlags& flags, Wiring wiring,
                           QObject* parent)
    : QObject(parent),
      channel_(channel),
      session_(session),
      flags_(flags),
      wiring_(std::move(wiring)),
      timer_(new QTimer(this)) {
    timer_->setObjectName(wiring_.timerName);
    timer_->setInterval(kPollMs);
    connect(timer_, &QTimer::timeout, this, &PlaySequence::poll);
}

void PlaySequence::processEvents() {
    if (wiring_.processEvents) wiring_.processEvents();
}

int PlaySequence::device(QStringView verb, QStringView rest) {
    const QString command = deviceCommand(verb, wiring_.device, rest);
    return wiring_.device == Alias::Cd ? channel_.SendCdWait(command) : channel_.SendMidWait(command);
}

QString PlaySequence::deviceReply() const { return channel_.replySlot(wiring_.device).trimmed(); }

// ---- start and the end of a sequence ----

void PlaySequence::begin(bool repaintFirst) {
    flags_.breakOff = false;
    playing_ = true;
    paused_ = false;
    emit changed();
    if (repaintFirst) processEvents();
    if (!channel_.isClosed()) postAdvance(sequence::kSelectedEntry);
}

void PlaySequence::enterStopped() {
    timer_->stop();
    timer_->setInterval(kPollMs);
    playing_ = false;
    paused_ = false;
    request_ = Request::None;
    onStopped();
    emit changed();
}

void PlaySequence::endSequence() {
    // Nothing asked is left for a notice that comes while the log shows.
    request_ = Request::None;
    if (recordAlong() && wiring_.showLog) wiring_.showLog();
    enterStopped();
}

void PlaySequence::saveRunning() {
    // The close: no notice of the stopped play may start another entry.
    timer_->stop();
    playing_ = false;
    paused_ = false;
    session_.save(kind());
}

// ---- the advance ----

void PlaySequence::postAdvance(int step) {
    QMetaObject::invokeMethod(this, [this, step] { advance(step); }, Qt::QueuedConnection);
}

void PlaySequence::advance(int step) {
    if (!playing_) return;
    paused_ = false;
    forgetRequest();
    session_.save(kind());
    int failedInARow = 0;
    for (;;) {
        if (channel_.isClosed()) return;
        if (request_ == Request::Stop || flags_.breakOff) break;
        const int count = entryCount();
        if (count == 0) break;
        if (step == sequence::kNaturalNext && (singleMode() || session_.isTestRecording())) break;
        const int next = sequence::nextEntry(currentEntry(), count, step, recordAlong(), repeats());
        if (next < 0) break;
        selectEntry(next);
        processEvents();
        session_.forgetName(kind());
        if (playEntry()) return;
        // A failed entry leaves nothing behind: no recording, no template.
        session_.abandon(kind());
        // Once every entry has failed in a row, going round again would only repeat the errors.
        if (++failedInARow >= count) break;
        if (step == sequence::kSelectedEntry) step = sequence::kNaturalNext;
    }
    endSequence();
}

// ---- playing one entry ----

bool PlaySequence::prepareEntry() {
    session_.clearTestFlags();
    return !recordAlong() || session_.prepare(kind());
}

void PlaySequence::forgetRequest() {
    if (request_ != Request::Stop) request_ = Request::None;
}

bool PlaySequence::startRecording() {
    if (!session_.isOpen(kind())) return true;
    if (channel_.SendRecPlain(deviceCommand(u"record", Alias::Rec)) != 0) return false;
    channel_.SendRecWait(deviceCommand(u"stop", Alias::Rec));
    channel_.SendRecPlain(deviceCommand(u"record", Alias::Rec));
    return true;
}

bool PlaySequence::entryPlays() {
    if (channel_.isClosed()) return true;
    timer_->start(kPollMs);
    // A stop pressed while the entry was being set up: the notice of this stop ends the sequence.
    if (request_ == Request::Stop) device(u"stop");
    return true;
}

bool PlaySequence::fail(const QString& text) {
    if (showFailure(text) == BoxAnswer::Abort) flags_.breakOff = true;
    return false;
}

bool PlaySequence::failStarted(const QString& text) {
    if (session_.isOpen(kind())) {
        channel_.SendRecWait(deviceCommand(u"stop", Alias::Rec));
        channel_.SendRecWait(deviceCommand(u"close", Alias::Rec));
        session_.abandon(kind());
    }
    device(u"stop");
    device(u"close");
    processEvents();
    return fail(text);
}

// ---- the end of a play ----

bool PlaySequence::onDeviceNotice(int message, qint64, qint64) {
    if (message != wiring_.noticeMessage) return false;
    // Every play ends with one notice, however it ended; one that comes
    // after the sequence (or from a play of its own before) has nothing to end.
    if (playing_) onNotice();
    return true;
}

void PlaySequence::postNotice() {
    QMetaObject::invokeMethod(this, [this] { onDeviceNotice(wiring_.noticeMessage, 4, 0); }, Qt::QueuedConnection);
}

void PlaySequence::onNotice() {
    timer_->stop();
    timer_->setInterval(kPollMs);
    if (!paused_) readPosition();
    const sequence::AtPlayEnd next = sequence::atPlayEnd(request_);
    switch (next.action) {
    case sequence::AtPlayEnd::Action::Advance:
        if (!channel_.isClosed()) postAdvance(next.step);
        return;
    case sequence::AtPlayEnd::Action::Pause:
        request_ = Request::None;
        pause();
        if (!channel_.isClosed()) timer_->start();
        return;
    case sequence::AtPlayEnd::Action::End:
        session_.save(kind());
        endSequence();
        return;
    }
}

// ---- polling, pause and requests ----

void PlaySequence::poll() {
    if (!paused_) {
        readPosition();
        if (pastEntryEnd()) device(u"stop");
        return;
    }
    if (request_ == Request::Resume) {
        timer_->setInterval(kPollMs);
        request_ = Request::None;
        resume();
        return;
    }
    if (request_ != Request::None) {
        // The device is stopped already, so no notice comes: this tick sends it.
        leavePause();
        if (!channel_.isClosed()) postNotice();
    }
}

void PlaySequence::pause() {
    channel_.SendRecWait(deviceCommand(u"stop", Alias::Rec));
    device(u"stop");
    holdPausePosition();
    paused_ = true;
    emit changed();
}

void PlaySequence::leavePause() {
    paused_ = false;
    emit changed();
}

void PlaySequence::ask(Request request) {
    if (request == Request::Resume) {
        if (!paused_) return;
        request_ = request;
        timer_->setInterval(kResumeTickMs);
        return;
    }
    if (!playing_ || (request == Request::Pause && paused_)) return;
    request_ = request;
    device(u"stop");
}

}  // namespace sondex
