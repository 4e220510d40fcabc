#pragma once

#include "platform/mci/CommandEngine.h"

namespace sondex::mci {

// Posts one completion notice to the target's receiver as a queued call;
// a target without a receiver gets nothing.
void postNotice(const NoticeTarget& target, NotifyCode code, qint64 deviceId);

// The notice a device still owes for a lasting notify command (a recording).
// At most one is pending per device.
class PendingNotice {
public:
    explicit PendingNotice(qint64 deviceId) : deviceId_(deviceId) {}

    bool isArmed() const { return armed_; }

    // A new notify command supersedes the pending one (notice 2), if any.
    void supersede() { finish(NotifySuperseded); }

    // Remembers the target of a lasting command that has just started.
    void arm(const NoticeTarget& target);

    // Posts the end of the pending command and forgets it; nothing when none is pending.
    void finish(NotifyCode code);

private:
    qint64 deviceId_;
    NoticeTarget target_;
    bool armed_ = false;
};

}  // namespace sondex::mci
