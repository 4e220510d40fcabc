#include "music/MusicRecording.h"

#include "core/DeviceCommand.h"
#include "core/MciChannel.h"
#include "core/RecorderFlags.h"
#include "core/RecordingPrompts.h"
#include "core/RecordingSession.h"
#include "core/SequenceSteps.h"
#include "core/Settings.h"
#include "core/WindowMessages.h"

#include <QFileInfo>
#include <QLocale>
#include <QTimer>

#include <algorithm>

namespace sondex {

namespace {

constexpr int kPollMs = 1000;
constexpr int kResumeTickMs = 100;

// A paused position: seconds with one decimal and thousands separators, in ten places.
QString tenths(qint64 ms) { return QLocale(QLocale::English).toString(ms / 1000.0, 'f', 1).rightJustified(10); }

}  // namespace

MusicRecording::MusicRecording(MciChannel& channel, RecordingSession& session, Settings& settings,
                               RecordingPrompts& prompts, RecorderFlags& flags, QString listFile, Hooks hooks,
                               QObject* parent)
    : QObject(parent),
      channel_(channel),
      session_(session),
      settings_(settings),
      prompts_(prompts),
      flags_(flags),
      listFile_(std::move(listFile)),
      hooks_(std::move(hooks)),
      timer8_(new QTimer(this)) {
    timer8_->setObjectName(QStringLiteral("Timer8"));
    timer8_->setInterval(kPollMs);
    connect(timer8_, &QTimer::timeout, this, &MusicRecording::Timer8Timer);
}

void MusicRecording::processEvents() {
    if (hooks_.processEvents) hooks_.processEvents();
}

int MusicRecording::mid(QStringView verb, QStringView rest) {
    return channel_.SendMidWait(deviceCommand(verb, Alias::Mid, rest));
}

QString MusicRecording::midReply() const { return channel_.replySlot(Alias::Mid).trimmed(); }

void MusicRecording::setRecordArmed(bool on) {
    recordArmed_ = on;
    emit changed();
}

// ---- start and end ----

void MusicRecording::Button24Click() {
    if (playing_) return;
    if (list_.paths().isEmpty() && hooks_.addFiles) hooks_.addFiles();
    if (list_.paths().isEmpty()) {
        if (hooks_.beep) hooks_.beep();
        prompts_.notice(QStringLiteral("音楽ファイルを登録して下さい☆☆☆"));
        return;
    }
    flags_.breakOff = false;
    playing_ = true;
    paused_ = false;
    emit changed();
    if (!channel_.isClosed()) postAdvance(sequence::kSelectedEntry);
}

void MusicRecording::enterStopped() {
    timer8_->stop();
    timer8_->setInterval(kPollMs);
    playing_ = false;
    paused_ = false;
    request_ = Request::None;
    emit changed();
}

void MusicRecording::endSequence() {
    if (recordArmed_ && hooks_.showLog) hooks_.showLog();
    enterStopped();
}

void MusicRecording::stopAtOnce() {
    timer8_->stop();
    processEvents();
    session_.SaveMusicRecording();
    request_ = Request::None;
    if (playing_) {
        endSequence();
    } else {
        enterStopped();
    }
}

void MusicRecording::stopForClose() {
    if (!playing_) return;
    request_ = Request::Stop;
    mid(u"stop");
    processEvents();
    // A prepared recording ends through the notice of that stop.
    if (!session_.isOpen(RecordingKind::Music)) {
        session_.SaveMusicRecording();
        enterStopped();
    }
}

// ---- message 1044: the advance ----

void MusicRecording::postAdvance(int step) {
    QMetaObject::invokeMethod(this, [this, step] { advance(step); }, Qt::QueuedConnection);
}

void MusicRecording::advance(int step) {
    if (!playing_) return;
    session_.SaveMusicRecording();
    // A stop pressed since the last notice still ends the sequence.
    if (request_ != Request::Stop) request_ = Request::None;
    paused_ = false;
    for (;;) {
        if (channel_.isClosed()) return;
        if (request_ == Request::Stop || flags_.breakOff) break;
        const int count = static_cast<int>(list_.paths().size());
        if (count == 0) break;
        const bool single = hooks_.singleMode && hooks_.singleMode();
        if (step == sequence::kNaturalNext && (single || session_.isTestRecording())) break;
        const int next = sequence::nextEntry(list_.current(), count, step, recordArmed_,
                                             settings_.isOn(Setting::REPEATMIDI));
        if (next < 0) break;
        list_.setCurrent(next);
        const QString path = list_.paths()[next];
        labels_.fileName = QFileInfo(path).fileName();
        session_.played().musicFile = path;
        emit changed();
        processEvents();
        session_.forgetName(RecordingKind::Music);
        if (playEntry(path)) return;
        // A failed entry leaves nothing behind: no recording, no template.
        session_.abandon(RecordingKind::Music);
        if (step == sequence::kSelectedEntry) step = sequence::kNaturalNext;
    }
    endSequence();
}

// ---- playing one entry ----

bool MusicRecording::fail(const QString& text) {
    if (prompts_.message(text) == BoxAnswer::Abort) flags_.breakOff = true;
    return false;
}

bool MusicRecording::failStarted(const QString& text) {
    if (session_.isOpen(RecordingKind::Music)) {
        channel_.SendRecWait(deviceCommand(u"stop", Alias::Rec));
        channel_.SendRecWait(deviceCommand(u"close", Alias::Rec));
        session_.abandon(RecordingKind::Music);
    }
    mid(u"stop");
    mid(u"close");
    processEvents();
    return fail(text);
}

bool MusicRecording::playEntry(const QString& path) {
    const QString failure = QStringLiteral("再生エラー：") + path + u'\n';
    session_.clearTestFlags();
    if (recordArmed_ && !session_.prepare(RecordingKind::Music)) return false;  // it said why

    const bool wav = path.endsWith(QStringLiteral(".WAV"), Qt::CaseInsensitive);
    channel_.commandSlot(Alias::Mid) =
        QStringLiteral("Open ") + quotedPath(path) + QStringLiteral(" alias ") + aliasName(Alias::Mid) +
        (wav ? QStringLiteral(" buffer ") + QString::number(settings_.number(Setting::BufCount)) : QString()) +
        QStringLiteral(" wait");
    if (channel_.SendMidWait() != 0) return failStarted(failure + QStringLiteral(" オープンに失敗しました。"));

    mid(u"set", u"time format ms");
    endMs_ = 0;
    if (channel_.SendMidWait(QStringLiteral("status TavikMID length")) == 0) {
        bool number = false;
        endMs_ = midReply().toLongLong(&number);
        if (!number) return failStarted(failure + QStringLiteral(" MIDサイズ取得に失敗しました。"));
    }
    // An intro ends the entry at its end: whoever records the first seconds
    // of each file wants each take to stop there.
    const qint64 introMs = qint64(settings_.number(Setting::INTORO)) * 1000;
    introEnds_ = introMs > 0 && introMs < endMs_;
    if (introEnds_) endMs_ = introMs;
    labels_.end = QString::number(endMs_ / 1000);
    positionMs_ = 0;
    labels_.position = QStringLiteral("0");
    readRate(wav);
    session_.played().musicEndSeconds = labels_.end;
    if (request_ != Request::Stop) request_ = Request::None;
    emit changed();

    if (session_.isOpen(RecordingKind::Music)) {
        if (channel_.SendRecPlain(deviceCommand(u"record", Alias::Rec)) != 0)
            return failStarted(QStringLiteral("録音エラー：") + path + QStringLiteral("\n MIDI録音開始に失敗しました。"));
        channel_.SendRecWait(deviceCommand(u"stop", Alias::Rec));
        channel_.SendRecPlain(deviceCommand(u"record", Alias::Rec));
    }
    mid(u"set", u"time format ms");
    if (channel_.SendMidNotify(deviceCommand(u"play", Alias::Mid)) != 0)
        return failStarted(failure + QStringLiteral(" MID再生開始に失敗しました。"));
    if (channel_.isClosed()) return true;
    timer8_->start(kPollMs);
    // A stop pressed while the entry was being set up ends the sequence through this play's notice.
    if (request_ == Request::Stop) mid(u"stop");
    return true;
}

void MusicRecording::readRate(bool wav) {
    const auto query = [this, wav](QStringView what) {
        return wav && mid(u"status", what) == 0 ? midReply() : QString();
    };
    labels_.rate = query(u"samplespersec");
    labels_.bits = query(u"bitspersample");
    labels_.channels.clear();
    if (wav) labels_.channels = mid(u"status", u"channels") != 0 ? QString()
                                : midReply() == u"1"            ? QStringLiteral("mono")
                                                                : QStringLiteral("stereo");
}

// ---- message 1034: the end of a play ----

bool MusicRecording::onDeviceNotice(int message, qint64 wParam, qint64 lParam) {
    Q_UNUSED(wParam);
    Q_UNUSED(lParam);
    if (message != msg::MusicNotice) return false;
    // One that comes when no sequence runs has nothing to end.
    if (playing_) onNotice();
    return true;
}

void MusicRecording::postNotice() {
    QMetaObject::invokeMethod(this, [this] { onDeviceNotice(msg::MusicNotice, 4, 0); }, Qt::QueuedConnection);
}

void MusicRecording::readPosition() {
    if (mid(u"status", u"position") != 0) return;
    bool number = false;
    const qint64 position = midReply().toLongLong(&number);
    if (!number) return;
    positionMs_ = position;
    labels_.position = QString::number(positionMs_ / 1000);
    emit changed();
}

void MusicRecording::onNotice() {
    timer8_->stop();
    timer8_->setInterval(kPollMs);
    if (!paused_) readPosition();
    const sequence::AtPlayEnd next = sequence::atPlayEnd(request_);
    switch (next.action) {
    case sequence::AtPlayEnd::Action::Advance:
        if (!channel_.isClosed()) postAdvance(next.step);
        return;
    case sequence::AtPlayEnd::Action::Pause:
        request_ = Request::None;
        pause();
        if (!channel_.isClosed()) timer8_->start();
        return;
    case sequence::AtPlayEnd::Action::End:
        session_.SaveMusicRecording();
        request_ = Request::None;
        endSequence();
        return;
    }
}

// ---- polling, pause and resume ----

void MusicRecording::Timer8Timer() {
    if (!paused_) {
        readPosition();
        if (introEnds_ && positionMs_ >= endMs_) mid(u"stop");
        return;
    }
    if (request_ == Request::Resume) {
        timer8_->setInterval(kPollMs);
        request_ = Request::None;
        resume();
        return;
    }
    if (request_ != Request::None) {
        // The device is stopped already, so no notice comes: this tick sends it.
        paused_ = false;
        emit changed();
        if (!channel_.isClosed()) postNotice();
    }
}

void MusicRecording::pause() {
    channel_.SendRecWait(deviceCommand(u"stop", Alias::Rec));
    mid(u"stop");
    resumeMs_ = pauseMs_ = positionMs_ / 1000 * 1000;  // the whole seconds shown
    labels_.position = tenths(resumeMs_);
    paused_ = true;
    emit changed();
}

void MusicRecording::resume() {
    mid(u"seek", QString(QStringLiteral("to ") + QString::number(resumeMs_)));
    paused_ = false;
    emit changed();
    channel_.SendRecPlain(deviceCommand(u"record", Alias::Rec));
    channel_.SendMidNotify(deviceCommand(u"play", Alias::Mid));
}

void MusicRecording::moveResumePosition(int deltaMs) {
    if (!paused_) return;
    resumeMs_ = std::clamp<qint64>(resumeMs_ + deltaMs, 0, endMs_);
    labels_.position = tenths(resumeMs_);
    emit changed();
}

void MusicRecording::ButtonMIDIPOSINIClick() {
    if (!paused_) return;
    resumeMs_ = pauseMs_;
    labels_.position = tenths(resumeMs_);
    emit changed();
}

// ---- requests ----

void MusicRecording::requestWithStop(Request request) {
    request_ = request;
    mid(u"stop");
}

void MusicRecording::Button25Click() {
    if (playing_ && !paused_) requestWithStop(Request::Pause);
}

void MusicRecording::Button29Click() {
    if (!paused_) return;
    request_ = Request::Resume;
    timer8_->setInterval(kResumeTickMs);
}

void MusicRecording::Button26Click() {
    if (playing_) requestWithStop(Request::Back);
}

void MusicRecording::Button27Click() {
    if (playing_) requestWithStop(Request::Skip);
}

void MusicRecording::Button28Click() {
    if (playing_) requestWithStop(Request::Stop);
}

// ---- the recording controller ----

bool MusicRecording::startFromCommandLine() {
    if (!hooks_.openMusicArea || !hooks_.openMusicArea()) return false;
    stopAtOnce();
    processEvents();
    Button24Click();
    return true;
}

void MusicRecording::applySwitches(const SwitchRequest& request, SwitchSource source) {
    const bool added = list_.append(request.paths) >= 0;
    // A line that also starts a manual recording or CD play leaves the music alone.
    if (added && source != SwitchSource::StartUp && !request.RS && !request.PC) startFromCommandLine();
}

bool MusicRecording::runAutomaticStart(const SwitchRequest& startup) {
    return !startup.paths.isEmpty() && startFromCommandLine();
}

bool MusicRecording::isRunActive() const { return recordArmed_ || session_.isOpen(RecordingKind::Music); }

void MusicRecording::saveRunning() {
    // The close: no notice of the stopped play may start another entry.
    timer8_->stop();
    playing_ = false;
    paused_ = false;
    session_.SaveMusicRecording();
}

}  // namespace sondex
