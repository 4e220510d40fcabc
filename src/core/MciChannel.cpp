#include "core/MciChannel.h"

namespace sondex {

QString aliasName(Alias alias) {
    switch (alias) {
    case Alias::Rec:
        return QStringLiteral("tavikREC");
    case Alias::Cd:
        return QStringLiteral("tavikCD");
    case Alias::Mid:
        return QStringLiteral("tavikMID");
    }
    return QString();
}

MciChannel::MciChannel(mci::CommandEngine& engine, ProcessEvents processEvents)
    : engine_(engine), processEvents_(std::move(processEvents)) {}

void MciChannel::setNoticeTarget(Alias alias, mci::NoticeTarget target) {
    slots_[index(alias)].target = std::move(target);
}

int MciChannel::send(Alias alias, const QString& text, const char* suffix, bool processEvents) {
    if (closed_) return kChannelClosed;
    Slots& slot = slots_[index(alias)];
    // Commands are never cut to the slot: a long path cut short would name another file.
    if (!text.isEmpty()) slot.command = text + QString::fromLatin1(suffix);
    QString reply;
    const int result = engine_.sendString(slot.command, reply, slot.target);
    slot.reply = reply.left(kSlotLength);
    if (processEvents && processEvents_) processEvents_();
    return result;
}

int MciChannel::SendRecWait(const QString& text) { return send(Alias::Rec, text, " wait", true); }
int MciChannel::SendRecNotify(const QString& text) { return send(Alias::Rec, text, " Notify", false); }
int MciChannel::SendRecPlain(const QString& text) { return send(Alias::Rec, text, "", true); }
int MciChannel::SendCdWait(const QString& text) { return send(Alias::Cd, text, " wait", true); }
int MciChannel::SendCdNotify(const QString& text) { return send(Alias::Cd, text, " notify", true); }
int MciChannel::SendCdPlain(const QString& text) { return send(Alias::Cd, text, "", true); }
int MciChannel::SendMidWait(const QString& text) { return send(Alias::Mid, text, " wait", true); }
int MciChannel::SendMidNotify(const QString& text) { return send(Alias::Mid, text, " notify", true); }

bool MciChannel::replyIsTrue(Alias alias) const {
    return replySlot(alias).trimmed().toUpper() == u"TRUE";
}

int MciChannel::replyNumber(Alias alias) const { return replySlot(alias).trimmed().toInt(); }

QString MciChannel::errorText(int code) const { return engine_.errorText(code).trimmed(); }

}  // namespace sondex
