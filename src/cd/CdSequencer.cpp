#include "cd/CdSequencer.h"

#include "cd/CdCheckResults.h"
#include "cd/CdDeviceAccess.h"
#include "cd/CdDriveSelection.h"
#include "cd/CdEntry.h"
#include "cd/CdLists.h"
#include "cd/CdPrompts.h"
#include "core/DeviceCommand.h"
#include "core/MciChannel.h"
#include "core/RecorderFlags.h"
#include "core/RecordingSession.h"
#include "core/SequenceSteps.h"
#include "core/Settings.h"
#include "core/WindowMessages.h"

#include <QTimer>

namespace sondex {

namespace {

constexpr int kPollMs = 1000;
// A resume asked for while paused is carried out by the next tick, soon.
constexpr int kResumeTickMs = 100;
constexpr int kEntryChangeTickMs = 300;
constexpr int kTimeFormatAttempts = 3;

// The last two digits of a number, with a leading zero.
QString twoDigits(int n) { return QString(QStringLiteral("00") + QString::number(n)).right(2); }

}  // namespace

CdSequencer::CdSequencer(MciChannel& channel, RecordingSession& session, CdDeviceAccess& access,
                         CdDriveSelection& drives, CdLists& lists, Settings& settings, CdPrompts& prompts,
                         RecorderFlags& flags, QString registeredListFile, Hooks hooks, QObject* parent)
    : QObject(parent),
      channel_(channel),
      session_(session),
      access_(access),
      drives_(drives),
      lists_(lists),
      settings_(settings),
      prompts_(prompts),
      flags_(flags),
      registeredListFile_(std::move(registeredListFile)),
      hooks_(std::move(hooks)),
      timer2_(new QTimer(this)) {
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setInterval(kPollMs);
    connect(timer2_, &QTimer::timeout, this, &CdSequencer::Timer2Timer);
}

void CdSequencer::processEvents() {
    if (hooks_.processEvents) hooks_.processEvents();
}

void CdSequencer::busyCursor(bool on) {
    if (hooks_.busyCursor) hooks_.busyCursor(on);
}

int CdSequencer::cd(QStringView verb, QStringView rest) {
    return channel_.SendCdWait(deviceCommand(verb, Alias::Cd, rest));
}

QString CdSequencer::cdReply() const { return channel_.replySlot(Alias::Cd).trimmed(); }

void CdSequencer::setTimeFormat(QStringView format) {
    const QString rest = QStringLiteral("time format ") + format;
    for (int attempt = 0; attempt < kTimeFormatAttempts; ++attempt) {
        if (cd(u"set", rest) == 0) return;
    }
}

bool CdSequencer::fail(const QString& text) {
    if (prompts_.abortableMessage(text, 0) == BoxAnswer::Abort) flags_.breakOff = true;
    return false;
}

// ---- start and the end of a sequence ----

void CdSequencer::TR0Click() {
    if (playing_) return;
    if (lists_.selection().isEmpty() && hooks_.searchOneCd) hooks_.searchOneCd();
    if (lists_.selection().isEmpty()) {
        prompts_.timedMessage(QStringLiteral("再生エラー：\n リストにデータがありません・・・"), 0);
        return;
    }
    busyCursor(true);
    flags_.breakOff = false;
    enterPlaying();
    processEvents();
    if (!channel_.isClosed()) postAdvance(-2);
    busyCursor(false);
}

void CdSequencer::enterPlaying() {
    playing_ = true;
    paused_ = false;
    startDrive_ = drives_.selectedIndex();
    emit changed();
}

void CdSequencer::enterStopped() {
    timer2_->stop();
    timer2_->setInterval(kPollMs);
    playing_ = false;
    paused_ = false;
    request_ = Request::None;
    labels_.stopCaption = QStringLiteral("CD停止");
    if (drives_.select(startDrive_)) followSelection(access_, drives_);
    emit changed();
}

void CdSequencer::endSequence() {
    if (recordAlong_ && hooks_.showLog) hooks_.showLog();
    enterStopped();
}

// ---- message 1045: the advance ----

void CdSequencer::postAdvance(int step) {
    QMetaObject::invokeMethod(this, [this, step] { advance(step); }, Qt::QueuedConnection);
}

void CdSequencer::advance(int step) {
    if (!playing_) return;
    paused_ = false;
    // A stop pressed since the last notice still ends the sequence.
    if (request_ != Request::Stop) request_ = Request::None;
    session_.SaveCdRecording();
    for (;;) {
        if (channel_.isClosed()) return;
        if (request_ == Request::Stop || flags_.breakOff) break;
        const int count = static_cast<int>(lists_.selection().size());
        if (count == 0) break;
        if (step == 0 && (singleMode_ || session_.isTestRecording())) break;
        const int next =
            sequence::nextEntry(lists_.selectedEntry(), count, step, recordAlong_, settings_.isOn(Setting::REPEAT));
        if (next < 0) break;
        lists_.selectEntry(next);
        processEvents();
        session_.forgetName(RecordingKind::Cd);
        if (playEntry()) return;
        // A failed entry leaves nothing behind: no recording, no template.
        session_.abandon(RecordingKind::Cd);
        if (step == -2) step = 0;
    }
    endSequence();
}

// ---- playing one entry ----

bool CdSequencer::playEntry() {
    if (drives_.count() == 0) return fail(QStringLiteral("再生エラー： CDドライブがありません・・・"));
    const cdentry::Entry entry = cdentry::read(lists_.selectedText());
    const int unit = static_cast<int>(drives_.labels().indexOf(entry.drivePart));
    if (unit < 0) return fail(QStringLiteral("再生エラー：\n 存在しないCDドライブが選択されました・・・"));
    drives_.select(unit);
    followSelection(access_, drives_);
    const QString drive = drives_.driveLabel();
    const QString failure = QStringLiteral("再生エラー： [") + drive + QStringLiteral("]ドライブ\n");

    const QString check = access_.CheckUntilPlayable(true, cdcheck::kAbortPressAgain);
    if (!check.isEmpty()) return fail(failure + check);
    CdDisc& disc = access_.disc();
    const bool wholeDisc = entry.track == cdentry::kWholeDisc;
    if (!wholeDisc && (entry.track < disc.firstTrack || entry.track > disc.trackCount)) {
        return fail(failure + QString::number(disc.firstTrack) + QStringLiteral(" - ") +
                    QString::number(disc.trackCount) + QStringLiteral("トラックまでです。\n") +
                    QString::number(entry.track) + QStringLiteral("トラックは、ありません・・・"));
    }
    disc.volumeLabel = access_.CdVolumeLabel(drive.at(1));
    session_.clearTestFlags();
    if (recordAlong_ && !session_.prepare(RecordingKind::Cd)) return false;  // it said why

    processEvents();
    if (channel_.SendCdWait(QStringLiteral("open cdaudio") + access_.cdElement() + QStringLiteral(" alias ") +
                            aliasName(Alias::Cd)) != 0)
        return failStarted(failure + QStringLiteral(" オープンに失敗しました。"));
    processEvents();
    const QString length = readTimes(entry.track);
    showEntry(entry.track, length);
    processEvents();

    if (session_.isOpen(RecordingKind::Cd)) {
        if (channel_.SendRecPlain(deviceCommand(u"record", Alias::Rec)) != 0)
            return failStarted(QStringLiteral("録音エラー： [") + drive +
                               QStringLiteral("]ドライブ\n 録音開始に失敗しました。"));
        channel_.SendRecWait(deviceCommand(u"stop", Alias::Rec));
        channel_.SendRecPlain(deviceCommand(u"record", Alias::Rec));
    }
    QString range;
    if (!wholeDisc) {
        range = QStringLiteral("from ") + QString::number(entry.track);
        if (entry.track + 1 <= disc.trackCount) range += QStringLiteral(" to ") + QString::number(entry.track + 1);
    }
    setTimeFormat(u"tmsf");
    if (channel_.SendCdNotify(deviceCommand(u"play", Alias::Cd, range)) != 0)
        return failStarted(failure + QStringLiteral(" 再生開始に失敗しました。"));
    cd(u"set", u"time format msf");
    if (channel_.isClosed()) return true;
    timer2_->start(kPollMs);
    // A stop pressed while the entry was being set up: the notice of this stop ends the sequence.
    if (request_ == Request::Stop) cd(u"stop");
    return true;
}

QString CdSequencer::readTimes(int track) {
    CdDisc& disc = access_.disc();
    disc.trackStart = disc.currentPosition = disc.endPosition = kNoTime;
    QString discEnd = kNoTime;
    setTimeFormat(u"msf");
    QString length;
    if (cd(u"status", u"position track 1") == 0) {
        const QString firstStart = cdReply();
        if (cd(u"status", u"length") == 0) {
            length = cdReply();
            disc.endPosition = discEnd = CdDeviceAccess::MsfAdd(firstStart, length, false);
        }
    }
    if (track != cdentry::kWholeDisc) length = access_.GetTrackTimes(track, disc.trackCount);
    // The play's own range ends a track at the next one's start, to the
    // sample; the end position above lies a second earlier, and stopping
    // there would cut the last second off every track recorded.
    playEnd_ = discEnd;
    if (track != cdentry::kWholeDisc && track < disc.trackCount &&
        cd(u"status", QString(QStringLiteral("position track ") + QString::number(track + 1))) == 0)
        playEnd_ = cdReply();

    const int intro = settings_.number(Setting::INTORO);
    const int endPlus = settings_.number(Setting::Track_END_PLUS);
    if (intro > 0) {
        const QString introLength = twoDigits(intro / 60) + u':' + twoDigits(intro % 60) + QStringLiteral(":00");
        const QString introEnd = CdDeviceAccess::MsfAdd(disc.trackStart, introLength, false);
        if (introEnd > disc.trackStart && disc.endPosition > introEnd) disc.endPosition = playEnd_ = introEnd;
    } else if (endPlus > 0) {
        const QString later =
            CdDeviceAccess::MsfAdd(disc.endPosition, QStringLiteral("00:") + twoDigits(endPlus) + QStringLiteral(":00"),
                                   false);
        if (later <= discEnd) disc.endPosition = later;
    }
    return length;
}

void CdSequencer::showEntry(int track, const QString& length) {
    const CdDisc& disc = access_.disc();
    const QString drive = drives_.driveLabel();
    labels_.length = length;
    labels_.position = disc.trackStart;
    labels_.end = disc.endPosition;
    if (request_ != Request::Stop) request_ = Request::None;
    labels_.stopCaption = QStringLiteral("CD停止 － ") + drive;
    labels_.drive = drive;
    labels_.trackRange = QString::number(disc.firstTrack) + u'-' + QString::number(disc.trackCount);
    labels_.track = track == cdentry::kWholeDisc ? QStringLiteral("@") : QString::number(track);
    access_.ReadDiscTitles(track == cdentry::kWholeDisc ? 0 : track);
    labels_.summary = access_.DiscSummary();

    // What the save and the log line of this entry read.
    PlayedMaterial& played = session_.played();
    played.trackName = disc.trackName;
    played.discTitle = disc.title;
    played.artist = disc.artist;
    played.discIdentity = disc.identity;
    played.volumeLabel = disc.volumeLabel;
    played.driveLabel = labels_.drive;
    played.firstLastLabel = labels_.trackRange;
    played.trackLabel = labels_.track;
    played.trackTimeLabel = labels_.length;
    played.cdDriveCaption = drive;  // the drive item reads " E:" too
    emit changed();
}

bool CdSequencer::failStarted(const QString& text) {
    if (session_.isOpen(RecordingKind::Cd)) {
        channel_.SendRecWait(deviceCommand(u"stop", Alias::Rec));
        channel_.SendRecWait(deviceCommand(u"close", Alias::Rec));
        session_.abandon(RecordingKind::Cd);
    }
    cd(u"stop");
    cd(u"close");
    processEvents();
    return fail(text);
}

// ---- message 1035: the end of a play ----

bool CdSequencer::onDeviceNotice(int message, qint64 wParam, qint64 lParam) {
    Q_UNUSED(wParam);
    Q_UNUSED(lParam);
    if (message != msg::CdNotice) return false;
    // Every play ends with one notice, however it ended; one that comes
    // after the sequence (or from a play of its own before) has nothing to end.
    if (playing_) onNotice();
    return true;
}

void CdSequencer::postNotice() {
    QMetaObject::invokeMethod(this, [this] { onDeviceNotice(msg::CdNotice, 4, 0); }, Qt::QueuedConnection);
}

void CdSequencer::readPosition() {
    if (cd(u"status", u"position") != 0) return;
    access_.disc().currentPosition = labels_.position = cdReply();
    emit changed();
}

void CdSequencer::onNotice() {
    timer2_->stop();
    timer2_->setInterval(kPollMs);
    if (!paused_) readPosition();
    const sequence::AtPlayEnd next = sequence::atPlayEnd(request_);
    switch (next.action) {
    case sequence::AtPlayEnd::Action::Advance:
        if (!channel_.isClosed()) postAdvance(next.step);
        return;
    case sequence::AtPlayEnd::Action::Pause:
        request_ = Request::None;
        pause();
        if (!channel_.isClosed()) timer2_->start();
        return;
    case sequence::AtPlayEnd::Action::End:
        session_.SaveCdRecording();
        request_ = Request::None;
        endSequence();
        return;
    }
}

// ---- polling, pause and resume ----

void CdSequencer::Timer2Timer() {
    if (!paused_) {
        readPosition();
        if (access_.disc().currentPosition >= playEnd_) cd(u"stop");
        return;
    }
    if (request_ == Request::Resume) {
        timer2_->setInterval(kPollMs);
        request_ = Request::None;
        resume();
        return;
    }
    if (request_ != Request::None) {
        // The CD is stopped already, so no notice comes: this tick sends it.
        paused_ = false;
        emit changed();
        if (!channel_.isClosed()) postNotice();
    }
}

void CdSequencer::pause() {
    channel_.SendRecWait(deviceCommand(u"stop", Alias::Rec));
    cd(u"stop");
    CdDisc& disc = access_.disc();
    disc.resumePosition = disc.pausePosition = labels_.position;
    paused_ = true;
    emit changed();
}

void CdSequencer::resume() {
    paused_ = false;
    emit changed();
    const CdDisc& disc = access_.disc();
    const QString range = QStringLiteral("from ") + disc.resumePosition + QStringLiteral(" to ") + playEnd_;
    if (channel_.SendCdNotify(deviceCommand(u"play", Alias::Cd, range)) != 0) {
        cd(u"seek", QString(QStringLiteral("to ") + disc.resumePosition));
        prompts_.timedMessage(
            QStringLiteral("再生エラー：\n再生ポイントの移動に、失敗しました・・・\n取り合えず、再生を再開します・・・"), 0);
        channel_.SendCdNotify(deviceCommand(u"play", Alias::Cd));
    }
    // Without an open recording this fails, and nothing else happens.
    channel_.SendRecPlain(deviceCommand(u"record", Alias::Rec));
}

void CdSequencer::moveResumePosition(int field, int delta) {
    if (!paused_) return;
    CdDisc& disc = access_.disc();
    const QStringList parts = disc.resumePosition.split(u':');
    if (parts.size() != 3) return;
    int minutes = parts[0].toInt();
    int seconds = parts[1].toInt();
    int hundredths = parts[2].toInt();
    if (field == 0) minutes += delta;
    if (field == 1) seconds += delta;
    if (field == 2) hundredths += delta;
    if (hundredths >= 100) {
        hundredths -= 100;
        ++seconds;
    } else if (hundredths < 0) {
        hundredths += 100;
        --seconds;
    }
    if (seconds >= 60) {
        seconds -= 60;
        ++minutes;
    } else if (seconds < 0) {
        seconds += 60;
        --minutes;
    }
    QString position = QString::number(minutes).rightJustified(2, u'0') + u':' + twoDigits(seconds) + u':' +
                       twoDigits(hundredths);
    if (minutes < 0 || position < disc.trackStart) {
        position = disc.trackStart;
    } else if (position > disc.endPosition) {
        position = disc.endPosition;
    }
    disc.resumePosition = labels_.position = position;
    emit changed();
}

void CdSequencer::ButtonCDPOSINIClick() {
    if (!paused_) return;
    CdDisc& disc = access_.disc();
    disc.resumePosition = labels_.position = disc.pausePosition;
    emit changed();
}

// ---- requests ----

void CdSequencer::requestWithStop(Request request) {
    request_ = request;
    cd(u"stop");
}

void CdSequencer::Button13Click() {
    if (playing_ && !paused_) requestWithStop(Request::Pause);
}

void CdSequencer::Button17Click() {
    if (!paused_) return;
    request_ = Request::Resume;
    timer2_->setInterval(kResumeTickMs);
}

void CdSequencer::Button14Click() {
    if (playing_) requestWithStop(Request::Back);
}

void CdSequencer::Button15Click() {
    if (playing_) requestWithStop(Request::Skip);
}

void CdSequencer::Button16Click() {
    if (playing_) requestWithStop(Request::Stop);
}

void CdSequencer::ComboBox1Change(int index) {
    lists_.selectEntry(index);
    if (!playing_ || lists_.selectedEntry() < 0) return;
    timer2_->setInterval(kEntryChangeTickMs);
    requestWithStop(Request::EntryChanged);
}

void CdSequencer::setRecordAlong(bool on) {
    if (recordAlong_ == on) return;
    recordAlong_ = on;
    emit changed();
}

void CdSequencer::setSingleMode(bool on) {
    if (singleMode_ == on) return;
    singleMode_ = on;
    emit changed();
}

// ---- the recording controller ----

void CdSequencer::loadLists() {
    lists_.loadRegistered(registeredListFile_);
    lists_.useAsSelection(CdLists::Source::Registered, kRegisteredListCaption);
}

void CdSequencer::saveLists() { lists_.saveRegistered(registeredListFile_); }

void CdSequencer::applySwitches(const SwitchRequest& request, SwitchSource source) {
    int first = -1;
    for (const CdTrackFile& file : request.cdTracks) {
        const int index = lists_.appendSearch(cdentry::make(file.letter, file.track));
        if (first < 0) first = index;
    }
    if (first >= 0) {
        const bool wasPlaying = playing_;
        playing_ = false;  // the chooser's new entry is no change of entry yet
        lists_.useAsSelection(CdLists::Source::Search, kSearchListCaption);
        lists_.selectEntry(first);
        playing_ = wasPlaying;
    }
    if (source == SwitchSource::StartUp || !request.PC) return;
    if (playing_) {
        // A running sequence goes on with the track files' first entry.
        if (first >= 0) ComboBox1Change(first);
        return;
    }
    timer2_->stop();
    processEvents();
    TR0Click();
}

bool CdSequencer::runAutomaticStart(const SwitchRequest& startup) {
    if (!settings_.isOn(Setting::START) && !startup.PC) return false;
    TR0Click();
    return true;
}

bool CdSequencer::isRunActive() const { return recordAlong_ || playing_; }

void CdSequencer::saveRunning() {
    // The close: no notice of the stopped play may start another entry.
    timer2_->stop();
    playing_ = false;
    paused_ = false;
    session_.SaveCdRecording();
}

}  // namespace sondex
