#pragma once

#include <QDBusUnixFileDescriptor>

namespace sondex {

// Keeps the machine awake while something must happen at a set time: a
// suspended machine misses its start minute.
class SleepInhibitor {
public:
    virtual ~SleepInhibitor() = default;

    // Takes the lock; nothing happens when it is already held.
    virtual void hold() = 0;
    virtual void release() = 0;
    virtual bool isHeld() const = 0;
};

// Asks systemd-logind on the system bus for a "sleep" block lock. The lock
// lasts as long as the descriptor logind hands back stays open. Without a
// system bus or logind the hold fails with one log line and the program
// carries on unprotected.
class LogindSleepInhibitor final : public SleepInhibitor {
public:
    ~LogindSleepInhibitor() override { release(); }

    void hold() override;
    void release() override;
    bool isHeld() const override { return lock_.isValid(); }

private:
    QDBusUnixFileDescriptor lock_;
    bool reported_ = false;  // a failure is logged once
};

}  // namespace sondex
