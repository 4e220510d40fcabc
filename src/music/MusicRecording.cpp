#include "music/MusicRecording.h"

#include "core/DeviceCommand.h"
#include "core/RecordingPrompts.h"
#include "core/Settings.h"
#include "core/WindowMessages.h"

#include <QFileInfo>
#include <QLocale>
#include <QTimer>

#include <algorithm>

namespace sondex {

namespace {

// A paused position: seconds with one decimal and thousands separators, in ten places.
QString tenths(qint64 ms) { return QLocale(QLocale::English).toString(ms / 1000.0, 'f', 1).rightJustified(10); }

}  // namespace

MusicRecording::MusicRecording(MciChannel& channel, RecordingSession& session, Settings& settings,
                               RecordingPrompts& prompts, RecorderFlags& flags, QString listFile, Hooks hooks,
                               QObject* parent)
    : PlaySequence(channel, session, flags,
                   {Alias::Mid, msg::MusicNotice, QStringLiteral("Timer8"), hooks.processEvents, hooks.showLog}, parent),
      settings_(settings),
      prompts_(prompts),
      listFile_(std::move(listFile)),
      hooks_(std::move(hooks)) {}

void MusicRecording::setRecordArmed(bool on) {
    recordArmed_ = on;
    emit changed();
}

// ---- start and end ----

void MusicRecording::Button24Click() {
    if (isPlaying()) return;
    if (list_.paths().isEmpty() && hooks_.addFiles) hooks_.addFiles();
    if (list_.paths().isEmpty()) {
        if (hooks_.beep) hooks_.beep();
        prompts_.notice(QStringLiteral("音楽ファイルを登録して下さい☆☆☆"));
        return;
    }
    begin(false);
}

void MusicRecording::stopAtOnce() {
    pollTimer().stop();
    processEvents();
    session_.SaveMusicRecording();
    if (isPlaying()) {
        endSequence();
    } else {
        enterStopped();
    }
}

void MusicRecording::stopForClose() {
    if (!isPlaying()) return;
    ask(Request::Stop);
    processEvents();
    // A prepared recording ends through the notice of that stop.
    if (!session_.isOpen(RecordingKind::Music)) {
        session_.SaveMusicRecording();
        enterStopped();
    }
}

// ---- the list ----

void MusicRecording::selectEntry(int index) {
    list_.setCurrent(index);
    const QString path = list_.paths()[index];
    labels_.fileName = QFileInfo(path).fileName();
    session_.played().musicFile = path;
    emit changed();
}

bool MusicRecording::repeats() const { return settings_.isOn(Setting::REPEATMIDI); }

// ---- playing one entry ----

BoxAnswer MusicRecording::showFailure(const QString& text) { return prompts_.message(text); }

bool MusicRecording::playEntry() {
    const QString path = session_.played().musicFile;  // the entry just selected
    const QString failure = QStringLiteral("再生エラー：") + path + u'\n';
    if (!prepareEntry()) return false;  // it said why

    const bool wav = path.endsWith(QStringLiteral(".WAV"), Qt::CaseInsensitive);
    channel_.commandSlot(Alias::Mid) =
        QStringLiteral("Open ") + quotedPath(path) + QStringLiteral(" alias ") + aliasName(Alias::Mid) +
        (wav ? QStringLiteral(" buffer ") + QString::number(settings_.number(Setting::BufCount)) : QString()) +
        QStringLiteral(" wait");
    if (channel_.SendMidWait() != 0) return failStarted(failure + QStringLiteral(" オープンに失敗しました。"));

    device(u"set", u"time format ms");
    endMs_ = 0;
    if (channel_.SendMidWait(QStringLiteral("status TavikMID length")) == 0) {
        bool number = false;
        endMs_ = deviceReply().toLongLong(&number);
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
    forgetRequest();
    emit changed();

    if (!startRecording())
        return failStarted(QStringLiteral("録音エラー：") + path + QStringLiteral("\n MIDI録音開始に失敗しました。"));
    device(u"set", u"time format ms");
    if (channel_.SendMidNotify(deviceCommand(u"play", Alias::Mid)) != 0)
        return failStarted(failure + QStringLiteral(" MID再生開始に失敗しました。"));
    return entryPlays();
}

void MusicRecording::readRate(bool wav) {
    const auto query = [this, wav](QStringView what) {
        return wav && device(u"status", what) == 0 ? deviceReply() : QString();
    };
    labels_.rate = query(u"samplespersec");
    labels_.bits = query(u"bitspersample");
    labels_.channels.clear();
    if (wav) labels_.channels = device(u"status", u"channels") != 0 ? QString()
                                : deviceReply() == u"1"            ? QStringLiteral("mono")
                                                                : QStringLiteral("stereo");
}

// ---- positions, pause and resume ----

void MusicRecording::readPosition() {
    if (device(u"status", u"position") != 0) return;
    bool number = false;
    const qint64 position = deviceReply().toLongLong(&number);
    if (!number) return;
    positionMs_ = position;
    labels_.position = QString::number(positionMs_ / 1000);
    emit changed();
}

void MusicRecording::holdPausePosition() {
    resumeMs_ = pauseMs_ = positionMs_ / 1000 * 1000;  // the whole seconds shown
    labels_.position = tenths(resumeMs_);
}

void MusicRecording::resume() {
    device(u"seek", QString(QStringLiteral("to ") + QString::number(resumeMs_)));
    leavePause();
    channel_.SendRecPlain(deviceCommand(u"record", Alias::Rec));
    channel_.SendMidNotify(deviceCommand(u"play", Alias::Mid));
}

void MusicRecording::moveResumePosition(int deltaMs) {
    if (!isPaused()) return;
    resumeMs_ = std::clamp<qint64>(resumeMs_ + deltaMs, 0, endMs_);
    labels_.position = tenths(resumeMs_);
    emit changed();
}

void MusicRecording::ButtonMIDIPOSINIClick() {
    if (!isPaused()) return;
    resumeMs_ = pauseMs_;
    labels_.position = tenths(resumeMs_);
    emit changed();
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

}  // namespace sondex
