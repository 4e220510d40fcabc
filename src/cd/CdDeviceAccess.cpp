#include "cd/CdDeviceAccess.h"

#include "cd/CdCheckResults.h"
#include "cd/CdDriveSelection.h"
#include "cd/CdPrompts.h"
#include "cd/CdUnitQueries.h"
#include "core/DeviceCommand.h"
#include "core/MciChannel.h"
#include "core/Settings.h"
#include "platform/cd/DiscLayout.h"

namespace sondex {

namespace {

// A test play that has not moved before the disc's end gets one more chance,
// as a drive may still be spinning up.
constexpr int kTestPlays = 2;
constexpr int kWaitBoxSeconds = 3;

}  // namespace

CdDeviceAccess::CdDeviceAccess(MciChannel& channel, Settings& settings, CdPrompts& prompts,
                               CdUnitQueries& units, QString configFolder,
                               ProcessEvents processEvents)
    : channel_(channel),
      settings_(settings),
      prompts_(prompts),
      units_(units),
      configFolder_(std::move(configFolder)),
      processEvents_(std::move(processEvents)) {
    if (!processEvents_) processEvents_ = [] {};
}

int CdDeviceAccess::wait(QStringView verb, QStringView rest) {
    return channel_.SendCdWait(deviceCommand(verb, Alias::Cd, rest));
}

int CdDeviceAccess::openDevice() {
    return channel_.SendCdWait(QStringLiteral("open cdaudio") + cdElement_ +
                               QStringLiteral(" alias ") + aliasName(Alias::Cd));
}

void CdDeviceAccess::stopAndClose() {
    wait(u"stop");
    wait(u"close");
}

QString CdDeviceAccess::reply() const {
    return channel_.replySlot(Alias::Cd).trimmed();
}

bool CdDeviceAccess::replyIsTrue() const {
    return channel_.replyIsTrue(Alias::Cd);
}

void followSelection(CdDeviceAccess& access, const CdDriveSelection& drives) {
    access.setCdElement(drives.element());
    access.setDriveLabel(drives.driveLabel());
}

bool CdDeviceAccess::WakeCdDrive() {
    processEvents_();
    if (cdElement_.size() > 2 && !units_.hasReadableDisc(cdElement_.at(1))) return false;
    openDevice();
    processEvents_();
    wait(u"set", u"door closed");
    processEvents_();
    if (wait(u"status", u"ready") != 0 || !replyIsTrue()) {
        const int seconds = settings_.number(Setting::NR_WAIT);
        if (seconds > 0) {
            prompts_.timedMessage(
                QStringLiteral("Not Ready エラー： [") + driveLabel_ +
                    QStringLiteral("]ドライブ\n\nＣＤドライブの準備が出来ていません。\n\n"
                                   "暫く停止して様子をみます。"),
                seconds);
        }
    }
    stopAndClose();
    return true;
}

QString CdDeviceAccess::CheckCdDisc(bool useCache) {
    if (!WakeCdDrive()) return cdcheck::kNoDisc;
    if (openDevice() != 0) {
        processEvents_();
        return cdcheck::kOpenFailed;
    }
    QString result;
    for (int tries = 0;;) {
        if (const auto found = examineOnce(useCache)) {
            result = *found;
            break;
        }
        if (++tries >= kTestPlays ||
            prompts_.abortableMessage(
                cdElement_.mid(1, 2) + QStringLiteral(" ドライブ\n音楽CDかどうか、サーチ中・・・\n"
                                                      "暫くお待ち下さい・・・"),
                kWaitBoxSeconds) == BoxAnswer::Abort) {
            result = cdcheck::kNotAudioCd;
            break;
        }
    }
    stopAndClose();
    processEvents_();
    return result;
}

// One look at the disc on the open device: the result, or nothing when the
// test play left the position at or past the disc's length.
std::optional<QString> CdDeviceAccess::examineOnce(bool useCache) {
    processEvents_();
    readIdentity();
    if (useCache && takeFromCache()) return QString();
    if (wait(u"status", u"ready") != 0 || !replyIsTrue()) return cdcheck::kNotReady;
    wait(u"set", u"time format msf");
    if (wait(u"status", u"media present") != 0 || !replyIsTrue()) return cdcheck::kNoMedia;
    // The end position holds the disc's length until an item plays.
    disc_.endPosition = kNoTime;
    if (wait(u"status", u"length") == 0) disc_.endPosition = reply();
    if (disc_.endPosition == kNoTime) return cdcheck::kNoLength;
    disc_.firstTrack = 0;
    disc_.trackCount = 0;
    if (wait(u"status", u"number of tracks") == 0) disc_.trackCount = reply().toInt();
    if (disc_.trackCount <= 0) return cdcheck::kNoTrackCount;
    wait(u"set", u"time format tmsf");
    processEvents_();
    if (channel_.SendCdPlain(deviceCommand(u"play", Alias::Cd, u"from 1")) != 0)
        return cdcheck::kTestPlayFailed;
    wait(u"set", u"time format msf");
    if (wait(u"status", u"current track") == 0)
        disc_.firstTrack = reply().section(u':', 0, 0).toInt();
    if (disc_.firstTrack <= 0) return cdcheck::kNoStartTrack;
    wait(u"stop");
    disc_.currentPosition = kNoTime;
    if (wait(u"status", u"position") == 0) disc_.currentPosition = reply();
    if (disc_.currentPosition == kNoTime) return cdcheck::kNoPosition;
    // Text order is time order here: the device writes both with the same minute width.
    if (disc_.currentPosition < disc_.endPosition) {
        remember();
        return QString();
    }
    return std::nullopt;
}

// The device answers the identity in decimal; the title file and the cache
// name it in hexadecimal. A reply that is no unsigned 32-bit decimal number
// leaves the identity empty, as for a disc without one: such a disc is
// examined in full every time and has no titles.
void CdDeviceAccess::readIdentity() {
    disc_.identity.clear();
    if (wait(u"info", u"identity") != 0) return;
    bool ok = false;
    const uint identity = reply().toUInt(&ok, 10);
    if (ok) disc_.identity = cd::identityHex(identity);
}

bool CdDeviceAccess::takeFromCache() {
    const qsizetype known =
        disc_.identity.isEmpty() ? -1 : knownIdentities_.indexOf(disc_.identity);
    if (known < 0) return false;
    const QString& tracks = knownTracks_.at(known);
    disc_.firstTrack = tracks.section(u',', 0, 0).toInt();
    disc_.trackCount = tracks.section(u',', 1, 1).toInt();
    return true;
}

void CdDeviceAccess::remember() {
    if (disc_.identity.isEmpty() || knownIdentities_.contains(disc_.identity)) return;
    knownIdentities_.append(disc_.identity);
    knownTracks_.append(QString::number(disc_.firstTrack) + u',' +
                        QString::number(disc_.trackCount));
}

QString CdDeviceAccess::CheckUntilPlayable(bool useCache, const QString& abortText) {
    QString result = CheckCdDisc(useCache);
    while (result == cdcheck::kTestPlayFailed) {
        if (prompts_.abortableMessage(QStringLiteral("暫くお待ち下さい・・・"), kWaitBoxSeconds) ==
            BoxAnswer::Abort)
            return abortText;
        result = CheckCdDisc(useCache);
    }
    return result;
}

QString CdDeviceAccess::CdVolumeLabel(QChar letter) {
    const QString name = units_.albumTitle(letter);
    return u'[' + (letter.unicode() < u'a' ? name.toUpper() : name.toLower()) + u']';
}


}  // namespace sondex
