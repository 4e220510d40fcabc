#include "core/RecordingSession.h"

#include "core/DeviceCommand.h"

#include "core/RecorderFlags.h"
#include "core/Settings.h"
#include "core/BoxAnswer.h"
#include "core/AutomaticName.h"
#include "core/MciChannel.h"
#include "core/RecordingFormat.h"
#include "core/RecordingPrompts.h"

#include <QCoreApplication>
#include <QFile>

#include <thread>

namespace sondex {

namespace {

// How often the template file is looked for before the device is given its settling time.
constexpr int kTemplateLookups = 11;

}  // namespace

RecordingSession::RecordingSession(MciChannel& channel, const Settings& settings,
                                   RecorderFlags& flags, RecordingPrompts& prompts,
                                   QString programFolder, RecordingHooks hooks)
    : channel_(channel),
      settings_(settings),
      flags_(flags),
      prompts_(prompts),
      programFolder_(std::move(programFolder)),
      hooks_(std::move(hooks)) {}

const QString& RecordingSession::saveName(RecordingKind kind) const {
    return kind == RecordingKind::Cd ? nextAutomaticName_ : slots_[index(kind)];
}

QString& RecordingSession::slot(RecordingKind kind) {
    return kind == RecordingKind::Cd ? nextAutomaticName_ : slots_[index(kind)];
}

bool RecordingSession::WriteTemplateWav() {
    const QString folder = settings_.text(Setting::TEMPALL);
    if (hooks_.testMode && hooks_.testMode()) {
        nextAutomaticName_ = testRecordingName(folder);
        test_ = true;
        if (!settings_.isOn(Setting::RECTESTFILE)) discard_ = true;
    } else if (const std::optional<QString> name = sondex::nextAutomaticName(folder)) {
        nextAutomaticName_ = *name;
    } else {
        // All of wav0000.wav to wav9999.wav exist: rather than wrap onto a
        // taken name, the recording does not start and the user is told why.
        nextAutomaticName_.clear();
        return failPreparation(
            QStringLiteral("録音エラー：\n 自動ファイル名(wav0000～wav9999)が残っていません。"));
    }

    templatePath_ = programFolder_ + QStringLiteral("sondex.wav");
    const QByteArray header = templateWavHeader(recordingFormat(settings_));
    QFile file(templatePath_);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         file.write(header) == header.size() && file.flush();
    file.close();
    if (!written)
        return failPreparation(QStringLiteral("録音エラー： 録音ファイルの作成に失敗しました。"));

    for (int lookup = 0; lookup < kTemplateLookups; ++lookup) {
        QCoreApplication::processEvents();
        if (QFile::exists(templatePath_)) break;
    }
    std::this_thread::sleep_for(hooks_.templateSettle);
    return true;
}

bool RecordingSession::failPreparation(const QString& text) {
    flags_.messageBusy = true;
    QCoreApplication::processEvents();
    deleteTemplate();
    report(text);
    return false;
}

bool RecordingSession::OpenRecDevice() {
    channel_.commandSlot(Alias::Rec) =
        QStringLiteral("Open ") + quotedPath(templatePath_) + QStringLiteral(" alias ") + aliasName(Alias::Rec) +
        QStringLiteral(" buffer ") + QString::number(settings_.number(Setting::BufCount)) + QStringLiteral(" wait");
    if (const int code = channel_.SendRecWait(); code != 0) {
        stopAndCloseRecDevice();
        const QString error = channel_.errorText(code);
        deleteTemplate();
        report(QStringLiteral("録音エラー： オープンに失敗しました。\n") + error);
        return false;
    }
    const auto refuse = [this](const QString& text) {
        stopAndCloseRecDevice();
        deleteTemplate();
        report(text);
        return false;
    };
    if (channel_.SendRecWait(deviceCommand(u"capability", Alias::Rec, u"can record")) != 0 ||
        !channel_.replyIsTrue(Alias::Rec))
        return refuse(QStringLiteral("録音エラー：\n 録音がサボートされていません。"));
    if (channel_.SendRecWait(deviceCommand(u"capability", Alias::Rec, u"can save")) != 0 ||
        !channel_.replyIsTrue(Alias::Rec))
        return refuse(QStringLiteral("録音エラー：\n 録音セーブがサボートされていません。"));
    return true;
}

bool RecordingSession::prepare(RecordingKind kind) {
    // The device still holds a recording that no folder took: it is saved
    // again first (a folder may take it now), and while it cannot be, nothing
    // else uses the device, whose open or close would delete the recording.
    if (unsaved_) {
        save(*unsaved_);
        if (unsaved_) return false;
    }
    open_[index(kind)] = false;
    if (kind != RecordingKind::Cd) slots_[index(kind)].clear();
    test_ = false;
    discard_ = false;
    if (!WriteTemplateWav() || !OpenRecDevice()) return false;
    if (kind != RecordingKind::Cd) slots_[index(kind)] = nextAutomaticName_;
    open_[index(kind)] = true;
    return true;
}

void RecordingSession::abandon(RecordingKind kind) {
    open_[index(kind)] = false;
    QString& name = slot(kind);
    if (!name.isEmpty()) QFile::remove(name);
    name.clear();
    deleteTemplate();
}

void RecordingSession::stopAndCloseRecDevice() {
    channel_.SendRecWait(deviceCommand(u"stop", Alias::Rec));
    channel_.SendRecWait(deviceCommand(u"close", Alias::Rec));
}

void RecordingSession::deleteTemplate() {
    if (!templatePath_.isEmpty() && QFile::exists(templatePath_)) QFile::remove(templatePath_);
    templatePath_.clear();
}

// Every message of the recording operations: the busy flag keeps pop-ups
// quiet while it is up, and its abort answer breaks off a running sequence.
void RecordingSession::report(const QString& text) {
    flags_.messageBusy = true;
    if (prompts_.message(text) == BoxAnswer::Abort) flags_.breakOff = true;
    flags_.messageBusy = false;
}

void RecordingSession::busyCursor(bool on) {
    prompts_.busyCursor(on);
}

}  // namespace sondex
