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
#include <QStorageInfo>

#include <algorithm>

namespace sondex {

namespace {

// The device writes at most 256 KiB at once, so a write that failed for want
// of space leaves less than this free.
constexpr qint64 kFullDiskBytes = 512 * 1024;

bool holds(const std::function<bool()>& condition) {
    return condition && condition();
}

QString cancelQuestion(const QString& proposal) {
    return proposal + QStringLiteral("\n") + QStringLiteral("セーブがキャンセルされました・・・") +
           QStringLiteral("\n") + QStringLiteral("セーブしないと、録音データは、失われます・・・") +
           QStringLiteral("\n\n") + QStringLiteral("セーブせずに飛ばしますか？？？");
}

// Where the device grows its recordings.
QString deviceTemporaryFolder() { return paths::withTrailingSlash(paths::recordingTempFolder()); }

// The device's temporary file: the newest "~MCI*.TMP" there, since every
// save attempt has just rewritten its header.
QString deviceTemporaryFile() {
    const QString folder = deviceTemporaryFolder();
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("~MCI*.TMP")}, QDir::Files, QDir::Time);
    return files.isEmpty() ? folder + QStringLiteral("~MCI*.TMP")
                           : files.first().absoluteFilePath();
}

// The failed file's name in the folder, or with "-1", "-2", ... before its
// extension: the first that names nothing and is not the failed path itself.
QString freeName(const QString& folder, const QFileInfo& failed) {
    const QString extension =
        failed.suffix().isEmpty() ? QString() : QStringLiteral(".") + failed.suffix();
    const QString failedPath = QDir::cleanPath(failed.absoluteFilePath());
    QString target = folder + failed.fileName();
    for (int n = 1; QFileInfo::exists(target) || QDir::cleanPath(target) == failedPath; ++n)
        target = folder + failed.completeBaseName() + QStringLiteral("-%1").arg(n) + extension;
    return target;
}

}  // namespace

void RecordingSession::reportCutShort() {
    const QString folder = deviceTemporaryFolder();
    const QStorageInfo disk(folder);
    const QString cause =
        disk.isValid() && disk.bytesAvailable() < kFullDiskBytes
            ? QStringLiteral("一時フォルダーの空き容量がなくなりました。\n ") + folder
            : QStringLiteral(
                  "サウンドサーバーが止まったか、一時ファイルに書き込めなくなりました。");
    report(QStringLiteral("録音エラー：\n 録音が途中で止まりました。\n ") + cause +
           QStringLiteral("\n ここまでの録音は保存します。"));
}

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
    if (unsaved_ == kind) unsaved_.reset();

    channel_.SendRecWait(deviceCommand(u"stop", Alias::Rec));
    stopPartner(kind);
    busyCursor(true);
    QCoreApplication::processEvents();

    bool saved = false;
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
        if (!name.isEmpty()) saved = saveAs(name);
        QCoreApplication::processEvents();
    }

    // A save that failed (the folder is gone, read-only or full) would lose the
    // recording at the close below; it is saved elsewhere instead.
    const bool failed = !discard_ && !skipped && !saved;
    const QString rescued = failed ? rescue(slot(kind)) : QString();
    if (failed && rescued.isEmpty()) {
        // Only the device's temporary file holds the recording, and "close"
        // would delete it: the device stays open and so does the kind.
        unsaved_ = kind;
        saving_[i] = false;
        busyCursor(false);
        deleteTemplate();
        report(failureMessage(kind, slot(kind)) +
               QStringLiteral("\n\n録音データは、どのフォルダーにも保存できませんでした。\n"
                              "録音一時ファイルを消さずに残しています☆\n") +
               deviceTemporaryFile() +
               QStringLiteral("\n（次の録音準備と終了の時に、もう一度保存します）"));
        return;
    }

    const int recordedMs = channel_.SendRecWait(deviceCommand(u"status", Alias::Rec, u"position")) == 0
                               ? std::max(0, channel_.replyNumber(Alias::Rec))
                               : 0;
    stopAndCloseRecDevice();
    open_[i] = false;
    saving_[i] = false;
    busyCursor(false);
    deleteTemplate();

    if (discard_ || skipped) return;
    if (failed) {
        QString message = failureMessage(kind, slot(kind)) +
                          QStringLiteral("\n\n録音データは、次のファイルに保存しました☆\n") +
                          rescued;
        if (rescued.startsWith(deviceTemporaryFolder()))
            message += QStringLiteral("\n（一時フォルダーです。消される前に移してください）");
        report(message);
        return;
    }
    if (hooks_.onSaved) hooks_.onSaved(kind, slot(kind), recordedMs);
    slot(kind).clear();
    if (kind == RecordingKind::Manual && hooks_.onManualSaved) hooks_.onManualSaved();
}

QString RecordingSession::rescue(const QString& failedName) {
    const QFileInfo failed(failedName.isEmpty() ? nextAutomaticName_ : failedName);
    const QString rescueFolder = programFolder_ + QStringLiteral("rescue/");
    // The temporary folder is the recording's own file system: the save
    // there is a link, which needs no room.
    for (const QString& folder : {paths::withTrailingSlash(settings_.text(Setting::TEMPALL)),
                                  rescueFolder, deviceTemporaryFolder()}) {
        // A relative folder would put the recording wherever the program was started.
        if (!QDir::isAbsolutePath(folder)) continue;
        if (folder == rescueFolder && !QDir().mkpath(folder)) continue;
        const QString target = freeName(folder, failed);
        if (saveAs(target)) return target;
    }
    return QString();
}

bool RecordingSession::saveAs(const QString& path) {
    return channel_.SendRecWait(deviceCommand(u"save", Alias::Rec, quotedPath(path))) == 0;
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
