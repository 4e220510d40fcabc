#pragma once

#include "platform/mci/Command.h"
#include "platform/mci/PendingNotice.h"

namespace sondex::mci {

// One open device of the table. The engine parses, finds the device by alias
// and hands it every command except open and close; notices of notify
// commands are settled by the engine from the outcome.
class Device {
public:
    explicit Device(qint64 id) : id_(id), notice_(id) {}
    virtual ~Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    struct Outcome {
        Error error = Error::None;
        bool lasting = false;  // the command goes on after it returns (its notice comes later)
    };

    virtual Outcome execute(const Command& command, QString& reply) = 0;

    // Ends whatever runs; a pending notice gets "aborted". The engine drops the device afterwards.
    virtual void close() = 0;

    qint64 id() const { return id_; }
    PendingNotice& notice() { return notice_; }

private:
    qint64 id_;
    PendingNotice notice_;
};

}  // namespace sondex::mci
