#pragma once

#include "platform/mci/CommandEngine.h"

#include <QString>

#include <array>
#include <functional>

namespace sondex {

// The three device aliases the recorder uses.
enum class Alias { Rec, Cd, Mid };

QString aliasName(Alias alias);  // "tavikREC", "tavikCD", "tavikMID"

// The one channel through which every device command goes. It keeps a command
// slot and a reply slot per alias, appends the completion suffix, routes each
// alias's completion notices to its target and, once closed by the shutdown,
// sends nothing more.
class MciChannel {
public:
    // Lets pending window messages run; after every command except SendRecNotify.
    using ProcessEvents = std::function<void()>;

    // The reply slot holds this many characters.
    static constexpr int kSlotLength = 300;
    // The result of every send once the channel is closed.
    static constexpr int kChannelClosed = -1;

    MciChannel(mci::CommandEngine& engine, ProcessEvents processEvents);

    void setNoticeTarget(Alias alias, mci::NoticeTarget target);

    // Each send takes the command without suffix; with no text it sends the
    // command slot as it stands (the caller prepared it, suffix included).
    int SendRecWait(const QString& text = QString());
    int SendRecNotify(const QString& text = QString());
    int SendRecPlain(const QString& text = QString());
    int SendCdWait(const QString& text = QString());
    int SendCdNotify(const QString& text = QString());
    int SendCdPlain(const QString& text = QString());
    int SendMidWait(const QString& text = QString());
    int SendMidNotify(const QString& text = QString());

    QString& commandSlot(Alias alias) { return slots_[index(alias)].command; }
    const QString& replySlot(Alias alias) const { return slots_[index(alias)].reply; }

    // The reply trimmed and upper-cased equals "TRUE"; anything else is false.
    bool replyIsTrue(Alias alias) const;
    // The reply trimmed and read as a decimal integer; 0 when it is none.
    int replyNumber(Alias alias) const;
    // The device's text for a result code, trimmed, for appending to a message.
    QString errorText(int code) const;

    // Set once by the shutdown; from then on every send returns -1.
    void close() { closed_ = true; }
    bool isClosed() const { return closed_; }

private:
    struct Slots {
        QString command;
        QString reply;
        mci::NoticeTarget target;
    };

    static size_t index(Alias alias) { return static_cast<size_t>(alias); }
    int send(Alias alias, const QString& text, const char* suffix, bool processEvents);

    mci::CommandEngine& engine_;
    ProcessEvents processEvents_;
    std::array<Slots, 3> slots_;
    bool closed_ = false;
};

}  // namespace sondex
