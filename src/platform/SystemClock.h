#pragma once

#include <QDateTime>
#include <QString>

namespace sondex {

// Sets the machine's clock. The desktop may refuse: a silent refusal would
// look like success, so every way it can end is told apart.
class SystemClock {
public:
    enum class Outcome {
        Done,
        NetworkTimeOn,      // network time synchronisation keeps the clock; turn it off first
        PermissionRefused,  // the system said no, or the user cancelled the password prompt
        Failed,             // anything else; `error` says what
    };
    struct Result {
        Outcome outcome = Outcome::Failed;
        QString error;
    };

    virtual ~SystemClock() = default;
    // Sets the clock to the given local date and time.
    virtual Result setLocalTime(const QDateTime& moment) = 0;
};

// Asks systemd-timedated over the system bus. The call is interactive: the
// desktop's polkit agent asks for a password as it does for its own clock
// settings, and the call waits long enough for someone to answer it. The
// window stays live meanwhile (its timers keep running), so callers must
// expect their own events during the call.
class TimedatedClock final : public SystemClock {
public:
    Result setLocalTime(const QDateTime& moment) override;
};

}  // namespace sondex
