// The CD device's answers: status, info, capability, and its settings.
#include "platform/mci/CdAudioDevice.h"

namespace sondex::mci {

namespace {

QString timeFormatName(CdTimeFormat format) {
    switch (format) {
    case CdTimeFormat::Msf: return QStringLiteral("msf");
    case CdTimeFormat::Tmsf: return QStringLiteral("tmsf");
    case CdTimeFormat::Milliseconds: break;
    }
    return QStringLiteral("milliseconds");
}

}  // namespace

Error CdAudioDevice::status(const Command& command, QString& reply) {
    const QList<Token>& args = command.args;
    if (args.size() == 3 && args[1].is(u"track")) return trackStatus(args[0].text.toLower(), args[2].text, reply);
    const QString item = command.phraseFrom();
    if (item.isEmpty()) return command.missingItemError();
    if (item == u"ready" || item == u"media present" || item == u"mode") {
        const cd::DriveState state = playing_ ? cd::DriveState::Ready : drive_->state();
        // A disc taken out or changed is read afresh when it is back.
        if (state != cd::DriveState::Ready && state != cd::DriveState::NotReady) disc_.reset();
        if (item == u"ready")
            reply = booleanReply(state == cd::DriveState::Ready);
        else if (item == u"media present")
            reply = booleanReply(state == cd::DriveState::Ready || state == cd::DriveState::NotReady);
        else
            reply = playing_ ? QStringLiteral("playing")
                    : state == cd::DriveState::DoorOpen ? QStringLiteral("open")
                    : state == cd::DriveState::Ready    ? QStringLiteral("stopped")
                                                        : QStringLiteral("not ready");
        return Error::None;
    }
    if (item == u"time format") {
        reply = timeFormatName(timeFormat_);
        return Error::None;
    }
    const bool known = item == u"length" || item == u"number of tracks" || item == u"position" ||
                       item == u"current track" || item == u"start position";
    if (!known) return Error::UnknownKeyword;
    const cd::DiscLayout* layout = disc();
    if (!layout) return Error::NoDisc;
    if (item == u"length")
        reply = cdLengthText(cd::discLength(*layout), timeFormat_);
    else if (item == u"number of tracks")
        reply = QString::number(layout->tracks.size());
    else if (item == u"position")
        reply = cdPositionText(*layout, position(), timeFormat_);
    else if (item == u"current track")
        reply = QString::number(cdTrackAt(*layout, position()));
    else
        reply = cdPositionText(*layout, layout->tracks.front().start, timeFormat_);
    return Error::None;
}

Error CdAudioDevice::trackStatus(const QString& item, const QString& number, QString& reply) {
    if (item != u"length" && item != u"position") return Error::UnknownKeyword;
    const cd::DiscLayout* layout = disc();
    if (!layout) return Error::NoDisc;
    bool ok = false;
    const int n = number.toInt(&ok);
    const cd::TrackEntry* track = ok ? layout->track(n) : nullptr;
    if (!track) return Error::BadArgument;
    reply = item == u"length" ? cdLengthText(cd::trackLength(*layout, n), timeFormat_)
                              : cdPositionText(*layout, track->start, timeFormat_);
    return Error::None;
}

Error CdAudioDevice::set(const Command& command) {
    const QList<Token>& args = command.args;
    if (args.isEmpty()) return Error::MissingArgument;
    if (args.size() >= 2 && args[0].is(u"time") && args[1].is(u"format")) {
        const QString value = command.phraseFrom(2);
        if (value == u"msf")
            timeFormat_ = CdTimeFormat::Msf;
        else if (value == u"tmsf")
            timeFormat_ = CdTimeFormat::Tmsf;
        else if (value == u"ms" || value == u"milliseconds")
            timeFormat_ = CdTimeFormat::Milliseconds;
        else
            return value.isEmpty() ? Error::MissingArgument : Error::BadArgument;
        return Error::None;
    }
    const QString phrase = command.phraseFrom();
    if (phrase == u"door open" || phrase == u"door closed") {
        const bool open = phrase == u"door open";
        if (open) endPlay(NotifyAborted);
        const cd::DoorResult result = drive_->setDoorOpen(open);
        // An image has no tray: its disc is always in, which is what "closed" asks for.
        if (result == cd::DoorResult::NotSupported) return open ? Error::DoorNotSupported : Error::None;
        if (result == cd::DoorResult::Failed) return Error::DoorFailed;
        disc_.reset();
        return Error::None;
    }
    // The digital output has no channels to switch; the request is taken as done.
    if (args[0].is(u"audio") && args.size() == 3 && (args[2].is(u"on") || args[2].is(u"off"))) return Error::None;
    return Error::UnknownKeyword;
}

Error CdAudioDevice::capability(const Command& command, QString& reply) const {
    const QString item = command.phraseFrom();
    if (item.isEmpty()) return command.missingItemError();
    if (item == u"can play" || item == u"has audio")
        reply = booleanReply(true);
    else if (item == u"can eject")
        reply = booleanReply(!cd::isDiscImage(target_));
    else if (item == u"can record" || item == u"can save" || item == u"has video" || item == u"uses files" ||
             item == u"compound device")
        reply = booleanReply(false);
    else if (item == u"device type")
        reply = QStringLiteral("cdaudio");
    else
        return Error::UnknownKeyword;
    return Error::None;
}

Error CdAudioDevice::info(const Command& command, QString& reply) {
    const QString item = command.phraseFrom();
    if (item.isEmpty()) return command.missingItemError();
    if (item == u"product") {
        reply = QStringLiteral("SONDEX cdaudio %1:").arg(letter_);
        return Error::None;
    }
    if (item != u"identity") return Error::UnknownKeyword;
    const cd::DiscLayout* layout = disc();
    if (!layout) return Error::NoDisc;
    reply = QString::number(cd::discIdentity(*layout));
    return Error::None;
}

}  // namespace sondex::mci
