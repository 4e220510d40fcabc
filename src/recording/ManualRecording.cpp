#include "recording/ManualRecording.h"

#include "core/BoxAnswer.h"
#include "core/DeviceCommand.h"
#include "core/MciChannel.h"
#include "core/RecorderFlags.h"
#include "core/RecordingPrompts.h"
#include "core/RecordingSession.h"
#include "core/Settings.h"
#include "core/WindowMessages.h"
#include "platform/mci/CommandEngine.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace sondex {

namespace {

constexpr int kTickMs = 1000;
constexpr int kResumeAtOnceMs = 100;

const QString& record() {
    static const QString command = deviceCommand(u"record", Alias::Rec);
    return command;
}
const QString& stop() {
    static const QString command = deviceCommand(u"stop", Alias::Rec);
    return command;
}

}  // namespace

ManualRecording::ManualRecording(MciChannel& channel, RecordingSession& session, Settings& settings,
                                 RecordingPrompts& prompts, RecorderFlags& flags, Hooks hooks, QObject* parent)
    : QObject(parent),
      channel_(channel),
      session_(session),
      settings_(settings),
      prompts_(prompts),
      flags_(flags),
      hooks_(std::move(hooks)),
      timer4_(new QTimer(this)) {
    timer4_->setObjectName(QStringLiteral("Timer4"));
    timer4_->setInterval(kTickMs);
    connect(timer4_, &QTimer::timeout, this, &ManualRecording::Timer4Timer);
}

int ManualRecording::timerSeconds() const { return settings_.number(Setting::SHUDO); }

void ManualRecording::setState(State state) {
    state_ = state;
    emit changed();
}

void ManualRecording::enableTick() {
    if (!channel_.isClosed()) timer4_->start();
}

void ManualRecording::readPosition() {
    // A failed query keeps the last value.
    if (channel_.SendRecWait(deviceCommand(u"status", Alias::Rec, u"position")) == 0)
        elapsedMs_ = channel_.replyNumber(Alias::Rec);
    emit changed();
}

bool ManualRecording::PrepareManualRecording() {
    prompts_.busyCursor(true);
    endMark_ = timerSeconds();
    const bool prepared = session_.prepare(RecordingKind::Manual);
    if (prepared) {
        elapsedMs_ = 0;
        setState(State::Prepared);
    } else {
        emit changed();
    }
    prompts_.busyCursor(false);
    return prepared;
}

void ManualRecording::Button18Click() {
    flags_.breakOff = false;
    request_ = Request::None;
    setState(State::Recording);
    if (channel_.SendRecNotify(record()) == 0) {
        enableTick();
        return;
    }
    channel_.SendRecWait(stop());
    channel_.SendRecWait(deviceCommand(u"close", Alias::Rec));
    if (prompts_.message(QStringLiteral("録音エラー：\n 録音開始に失敗しました。")) == BoxAnswer::Abort)
        flags_.breakOff = true;
    session_.abandon(RecordingKind::Manual);
    hooks_.showLog();
    setState(State::Idle);
}

void ManualRecording::Button20Click() {
    request_ = Request::Pause;
    channel_.SendRecWait(stop());
}

void ManualRecording::Button19Click() {
    request_ = Request::Resume;
    timer4_->setInterval(kResumeAtOnceMs);
}

void ManualRecording::Button21Click() {
    request_ = Request::Stop;
    channel_.SendRecWait(stop());
}

void ManualRecording::Button22Click() {
    prompts_.busyCursor(true);
    request_ = Request::Stop;
    channel_.SendRecWait(stop());
    QCoreApplication::processEvents();
    prompts_.busyCursor(false);
}

void ManualRecording::Timer4Timer() {
    if (state_ != State::Paused) {
        readPosition();
        if (timerSeconds() >= 1 && shownSeconds() >= endMark_) {
            timer4_->stop();
            stoppedAtEndMark_ = true;
            channel_.SendRecWait(stop());  // the completion notice follows
        }
        return;
    }
    if (request_ == Request::None) return;
    timer4_->stop();
    timer4_->setInterval(kTickMs);
    if (request_ == Request::Resume) {
        request_ = Request::None;
        setState(State::Recording);
        if (channel_.SendRecNotify(record()) == 0) {
            enableTick();
        } else if (!channel_.isClosed()) {
            // The device cannot record again (the sound server went away while
            // paused); no notice would ever end the take, so it ends here, cut short.
            postNotice(mci::NotifyFailure);
        }
        return;
    }
    setState(State::Recording);
    // No notify-record is pending while paused, so the end path needs a notice of its own.
    if (!channel_.isClosed()) postNotice(mci::NotifyAborted);
}

void ManualRecording::postNotice(int notifyCode) {
    QMetaObject::invokeMethod(this, [this, notifyCode] { onNotice(notifyCode, 0); }, Qt::QueuedConnection);
}

void ManualRecording::onNotice(qint64 notifyCode, qint64) {
    // Once stopped, the device counts only what it wrote: a start-up gap still
    // open no longer counts, so the position can fall below the end mark.
    const bool atEndMark = std::exchange(stoppedAtEndMark_, false);
    timer4_->stop();
    timer4_->setInterval(kTickMs);
    if (state_ != State::Paused) readPosition();

    if (notifyCode == mci::NotifyFailure) {
        // The device cannot go on: whatever was asked, the take ends and is
        // saved as it stands, and the user learns why it is short.
        session_.reportCutShort();
        request_ = Request::None;
        end();
        hooks_.timerStop();
        return;
    }

    const int seconds = timerSeconds();
    if (seconds > 0 && (atEndMark || shownSeconds() >= endMark_)) {
        request_ = Request::None;
        if (!hooks_.exitArmed() && !settings_.isOn(Setting::SHUDOREC_TM_END)) {
            // The timer pauses: the recording waits for resume or stop.
            endMark_ += seconds;
            setState(State::Paused);
            enableTick();
        } else {
            end();
        }
        if (hooks_.timerRunning()) hooks_.timerStart();
        return;
    }
    if (request_ == Request::Pause) {
        request_ = Request::None;
        setState(State::Paused);
        enableTick();
        return;
    }
    request_ = Request::None;
    end();
    hooks_.timerStop();
}

void ManualRecording::end() {
    // Whether it was started comes from the state, never from a panel that may be hidden.
    const bool started = isStarted();
    session_.SaveManualRecording();
    if (started) hooks_.showLog();
    setState(State::Idle);
}

void ManualRecording::onSaved() {
    elapsedMs_ = 0;
    emit changed();
}

void ManualRecording::ShowManualTimer(int seconds) {
    seconds = std::clamp(seconds, 0, kMaxTimerSeconds);
    settings_.setNumber(Setting::SHUDO, seconds);
    if (seconds != 0) endMark_ = shownSeconds() + seconds;
    emit changed();
}

void ManualRecording::prepareAndStart() {
    if (!PrepareManualRecording()) return;
    QCoreApplication::processEvents();
    Button18Click();
}

void ManualRecording::startOrResume() {
    if (!hooks_.openPanel()) return;
    switch (state_) {
    case State::Idle:
        prepareAndStart();
        break;
    case State::Prepared:
        Button18Click();
        break;
    case State::Recording:
    case State::Paused:
        Button19Click();
        break;
    }
}

void ManualRecording::applySwitches(const SwitchRequest& request, SwitchSource source) {
    if (request.J >= 0) ShowManualTimer(request.J);
    if (source == SwitchSource::Forwarded && request.RS) startOrResume();
}

bool ManualRecording::runAutomaticStart(const SwitchRequest& startup) {
    if (!settings_.isOn(Setting::Start_REC) && !startup.RS) return false;
    if (hooks_.openPanel()) prepareAndStart();
    return true;
}

bool ManualRecording::isRunActive() const { return session_.isOpen(RecordingKind::Manual); }

bool ManualRecording::onDeviceNotice(int message, qint64 wParam, qint64 lParam) {
    if (message != msg::MM_MCINOTIFY) return false;
    onNotice(wParam, lParam);
    return true;
}

void ManualRecording::saveRunning() { session_.SaveManualRecording(); }

}  // namespace sondex
