// The end of every recording: stop, choose the name, save, close, log.
#include "core/RecorderFlags.h"
#include "core/Settings.h"
#include "core/BoxAnswer.h"
#include "platform/AppPaths.h"
#include "core/MciChannel.h"
#include "core/RecordingPrompts.h"
#include "core/RecordingSession.h"
#include "core/SaveNames.h"
#include "core/DeviceCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace sondex {

namespace {

// The save result until a save command has answered.
constexpr int kNotSaved = -1;

bool holds(const std::function<bool()>& condition) {
    return condition && condition();
}

QString cancelQuestion(const QString& proposal) {
    return proposal + QStringLiteral("\n") + QStringLiteral("セーブがキャンセルされました・・・") +
           QStringLiteral("\n") + QStringLiteral("セーブしないと、録音データは、失われます・・・") +
           QStringLiteral("\n\n") + QStringLiteral("セーブせずに飛ばしますか？？？");
}

}  // namespace

void RecordingSession::SaveManualRecording() {
    save(RecordingKind::Manual);
}
void RecordingSession::SaveMusicRecording() {
    save(RecordingKind::Music);
}
void RecordingSession::SaveCdRecording() {
    save(RecordingKind::Cd);
}

void RecordingSession::save(RecordingKind kind) {
    const size_t i = index(kind);
    if (!open_[i]) {
        stopPartner(kind);
        return;
    }
    // A close request can come in while this save waits for the user; the
    // save under way ends the recording, a second one would save it twice.
    if (saving_[i]) return;
    saving_[i] = true;

    channel_.SendRecWait(deviceCommand(u"stop", Alias::Rec));
    stopPartner(kind);
    busyCursor(true);
    QCoreApplication::processEvents();

    int result = kNotSaved;
    bool skipped = false;
    if (!discard_) {
        QString name = proposedName(kind);
        if (asksForName(kind)) {
            // The user works in the dialog, so it does not show the hourglass.
            busyCursor(false);
            name = askName(name, skipped);
            busyCursor(true);
        }
        slot(kind) = name;
        if (!name.isEmpty())
            result = channel_.SendRecWait(deviceCommand(u"save", Alias::Rec, quotedPath(name)));
        QCoreApplication::processEvents();
    }

    // A save that failed (the folder is gone, read-only or full) would lose the
    // recording at the close below; it goes to the rescue folder instead.
    QString rescued;
    if (!discard_ && !skipped && result != 0 && !slot(kind).isEmpty()) rescued = rescue(slot(kind));

    const int recordedMs = channel_.SendRecWait(deviceCommand(u"status", Alias::Rec, u"position")) == 0
                               ? std::max(0, channel_.replyNumber(Alias::Rec))
                               : 0;
    stopAndCloseRecDevice();
    open_[i] = false;
    saving_[i] = false;
    busyCursor(false);
    deleteTemplate();

    if (discard_ || skipped) return;
    if (result != 0) {
        QString message = failureMessage(kind, slot(kind));
        if (!rescued.isEmpty())
            message += QStringLiteral("\n\n録音データは、次のファイルに保存しました☆\n") + rescued;
        report(message);
        return;
    }
    if (hooks_.onSaved) hooks_.onSaved(kind, slot(kind), recordedMs);
    slot(kind).clear();
    if (kind == RecordingKind::Manual && hooks_.onManualSaved) hooks_.onManualSaved();
}

QString RecordingSession::rescue(const QString& failedName) {
    const QString folder = programFolder_ + QStringLiteral("rescue/");
    if (!QDir().mkpath(folder)) return QString();
    const QFileInfo failed(failedName);
    QString target = folder + failed.fileName();
    for (int n = 1; QFileInfo::exists(target); ++n)
        target = folder + failed.completeBaseName() + QStringLiteral("-%1.").arg(n) + failed.suffix();
    const int result =
        channel_.SendRecWait(deviceCommand(u"save", Alias::Rec, quotedPath(target)));
    return result == 0 ? target : QString();
}

void RecordingSession::stopPartner(RecordingKind kind) {
    if (kind == RecordingKind::Music) {
        channel_.SendMidWait(deviceCommand(u"stop", Alias::Mid));
        channel_.SendMidWait(deviceCommand(u"close", Alias::Mid));
    } else if (kind == RecordingKind::Cd) {
        channel_.SendCdWait(deviceCommand(u"stop", Alias::Cd));
        channel_.SendCdWait(deviceCommand(u"close", Alias::Cd));
    }
}

QString RecordingSession::proposedName(RecordingKind kind) {
    QString fromPlayed;
    if (kind == RecordingKind::Music && settings_.isOn(Setting::MIDIREC))
        fromPlayed = musicFileProposal(slot(kind), played_.musicFile);
    else if (kind == RecordingKind::Cd && settings_.isOn(Setting::RecodeFn))
        fromPlayed = trackNameProposal(nextAutomaticName_, played_.trackName);
    // Anything already there keeps the slot's name: a file would be
    // overwritten, and a folder would make the save fail.
    if (!fromPlayed.isEmpty() && !QFileInfo::exists(fromPlayed)) return fromPlayed;
    return slot(kind);
}

bool RecordingSession::asksForName(RecordingKind kind) const {
    return settings_.isOn(Setting::SAVE_NAME) && !holds(hooks_.exitAfterRecordingArmed) &&
           (kind != RecordingKind::Manual || !holds(hooks_.timeOfDayTimerRunning));
}

// The save dialog until the user names a file or chooses to skip the save.
// Unanswered, the question says no: a recording is never thrown away for
// want of an answer.
QString RecordingSession::askName(const QString& proposal, bool& skipped) {
    flags_.messageBusy = true;
    const QString fileName = QFileInfo(proposal).fileName();
    const QString folder = paths::withoutTrailingSlash(folderOf(proposal));
    QString name;
    for (;;) {
        if (const std::optional<QString> chosen = prompts_.saveName(fileName, folder)) {
            name = *chosen;
            break;
        }
        if (prompts_.question(cancelQuestion(proposal), BoxAnswer::No) == BoxAnswer::Yes) {
            skipped = true;
            break;
        }
    }
    flags_.messageBusy = false;
    return name;
}

QString RecordingSession::failureMessage(RecordingKind kind, const QString& name) const {
    const QString where = kind == RecordingKind::Cd ? QStringLiteral("[") + played_.cdDriveCaption +
                                                          QStringLiteral("]ドライブ/")
                                                    : QString();
    return QStringLiteral("録音エラー： ") + where + name + QStringLiteral("\n") +
           QStringLiteral(" 録音セーブに失敗しました。");
}

}  // namespace sondex
