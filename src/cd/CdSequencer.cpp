#include "cd/CdSequencer.h"

#include "cd/CdCheckResults.h"
#include "cd/CdDeviceAccess.h"
#include "cd/CdDriveSelection.h"
#include "cd/CdEntry.h"
#include "cd/CdLists.h"
#include "cd/CdPrompts.h"
#include "core/DeviceCommand.h"
#include "core/RecordingSession.h"
#include "core/Settings.h"
#include "core/WindowMessages.h"

#include <QTimer>

namespace sondex {

namespace {

constexpr int kEntryChangeTickMs = 300;
constexpr int kTimeFormatAttempts = 3;

// The last two digits of a number, with a leading zero.
QString twoDigits(int n) { return QString(QStringLiteral("00") + QString::number(n)).right(2); }

}  // namespace

CdSequencer::CdSequencer(MciChannel& channel, RecordingSession& session, CdDeviceAccess& access,
                         CdDriveSelection& drives, CdLists& lists, Settings& settings, CdPrompts& prompts,
                         RecorderFlags& flags, QString registeredListFile, Hooks hooks, QObject* parent)
    : PlaySequence(channel, session, flags,
                   {Alias::Cd, msg::CdNotice, QStringLiteral("Timer2"), hooks.processEvents, hooks.showLog}, parent),
      access_(access),
      drives_(drives),
      lists_(lists),
      settings_(settings),
      prompts_(prompts),
      registeredListFile_(std::move(registeredListFile)),
      hooks_(std::move(hooks)) {}

void CdSequencer::busyCursor(bool on) {
    if (hooks_.busyCursor) hooks_.busyCursor(on);
}

void CdSequencer::setTimeFormat(QStringView format) {
    const QString rest = QStringLiteral("time format ") + format;
    for (int attempt = 0; attempt < kTimeFormatAttempts; ++attempt) {
        if (device(u"set", rest) == 0) return;
    }
}

BoxAnswer CdSequencer::showFailure(const QString& text) { return prompts_.abortableMessage(text, 0); }

// ---- start and the end of a sequence ----

void CdSequencer::TR0Click() {
    if (isPlaying()) return;
    if (lists_.selection().isEmpty() && hooks_.searchOneCd) hooks_.searchOneCd();
    if (lists_.selection().isEmpty()) {
        prompts_.timedMessage(QStringLiteral("再生エラー：\n リストにデータがありません・・・"), 0);
        return;
    }
    busyCursor(true);
    startDrive_ = drives_.selectedIndex();
    begin(true);
    busyCursor(false);
}

void CdSequencer::onStopped() {
    labels_.stopCaption = QStringLiteral("CD停止");
    if (drives_.select(startDrive_)) followSelection(access_, drives_);
}

// ---- the list ----

int CdSequencer::entryCount() const { return static_cast<int>(lists_.selection().size()); }
int CdSequencer::currentEntry() const { return lists_.selectedEntry(); }
void CdSequencer::selectEntry(int index) { lists_.selectEntry(index); }
bool CdSequencer::repeats() const { return settings_.isOn(Setting::REPEAT); }

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
    if (!prepareEntry()) return false;  // it said why

    processEvents();
    if (channel_.SendCdWait(QStringLiteral("open cdaudio") + access_.cdElement() + QStringLiteral(" alias ") +
                            aliasName(Alias::Cd)) != 0)
        return failStarted(failure + QStringLiteral(" オープンに失敗しました。"));
    processEvents();
    const QString length = readTimes(entry.track);
    showEntry(entry.track, length);
    processEvents();

    if (!startRecording())
        return failStarted(QStringLiteral("録音エラー： [") + drive + QStringLiteral("]ドライブ\n 録音開始に失敗しました。"));
    QString range;
    if (!wholeDisc) {
        range = QStringLiteral("from ") + QString::number(entry.track);
        if (entry.track + 1 <= disc.trackCount) range += QStringLiteral(" to ") + QString::number(entry.track + 1);
    }
    setTimeFormat(u"tmsf");
    if (channel_.SendCdNotify(deviceCommand(u"play", Alias::Cd, range)) != 0)
        return failStarted(failure + QStringLiteral(" 再生開始に失敗しました。"));
    device(u"set", u"time format msf");
    return entryPlays();
}

QString CdSequencer::readTimes(int track) {
    CdDisc& disc = access_.disc();
    disc.trackStart = disc.currentPosition = disc.endPosition = kNoTime;
    QString discEnd = kNoTime;
    setTimeFormat(u"msf");
    QString length;
    if (device(u"status", u"position track 1") == 0) {
        const QString firstStart = deviceReply();
        if (device(u"status", u"length") == 0) {
            length = deviceReply();
            disc.endPosition = discEnd = CdDeviceAccess::MsfAdd(firstStart, length, false);
        }
    }
    if (track != cdentry::kWholeDisc) length = access_.GetTrackTimes(track, disc.trackCount);
    // The play's own range ends a track at the next one's start, to the
    // sample; the end position above lies a second earlier, and stopping
    // there would cut the last second off every track recorded.
    playEnd_ = discEnd;
    if (track != cdentry::kWholeDisc && track < disc.trackCount &&
        device(u"status", QString(QStringLiteral("position track ") + QString::number(track + 1))) == 0)
        playEnd_ = deviceReply();

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
    forgetRequest();
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

// ---- positions, pause and resume ----

void CdSequencer::readPosition() {
    if (device(u"status", u"position") != 0) return;
    access_.disc().currentPosition = labels_.position = deviceReply();
    emit changed();
}

bool CdSequencer::pastEntryEnd() const { return access_.disc().currentPosition >= playEnd_; }

void CdSequencer::holdPausePosition() {
    CdDisc& disc = access_.disc();
    disc.resumePosition = disc.pausePosition = labels_.position;
}

void CdSequencer::resume() {
    leavePause();
    const CdDisc& disc = access_.disc();
    const QString range = QStringLiteral("from ") + disc.resumePosition + QStringLiteral(" to ") + playEnd_;
    if (channel_.SendCdNotify(deviceCommand(u"play", Alias::Cd, range)) != 0) {
        device(u"seek", QString(QStringLiteral("to ") + disc.resumePosition));
        prompts_.timedMessage(
            QStringLiteral("再生エラー：\n再生ポイントの移動に、失敗しました・・・\n取り合えず、再生を再開します・・・"), 0);
        channel_.SendCdNotify(deviceCommand(u"play", Alias::Cd));
    }
    // Without an open recording this fails, and nothing else happens.
    channel_.SendRecPlain(deviceCommand(u"record", Alias::Rec));
}

void CdSequencer::moveResumePosition(int field, int delta) {
    if (!isPaused()) return;
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
    if (!isPaused()) return;
    CdDisc& disc = access_.disc();
    disc.resumePosition = labels_.position = disc.pausePosition;
    emit changed();
}

// ---- another entry, the options ----

void CdSequencer::ComboBox1Change(int index) {
    lists_.selectEntry(index);
    if (!isPlaying() || lists_.selectedEntry() < 0) return;
    pollTimer().setInterval(kEntryChangeTickMs);
    ask(Request::EntryChanged);
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
        lists_.useAsSelection(CdLists::Source::Search, kSearchListCaption);
        lists_.selectEntry(first);
    }
    if (source == SwitchSource::StartUp || !request.PC) return;
    if (isPlaying()) {
        // A running sequence goes on with the track files' first entry.
        if (first >= 0) ComboBox1Change(first);
        return;
    }
    pollTimer().stop();
    processEvents();
    TR0Click();
}

bool CdSequencer::runAutomaticStart(const SwitchRequest& startup) {
    if (!settings_.isOn(Setting::START) && !startup.PC) return false;
    TR0Click();
    return true;
}

bool CdSequencer::isRunActive() const { return recordAlong_ || isPlaying(); }

}  // namespace sondex
