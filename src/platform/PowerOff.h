#pragma once

#include <QString>

namespace sondex {

// Switches the machine off after an unattended recording.
class PowerOff {
public:
    struct Result {
        bool ok = false;
        bool permissionDenied = false;  // the user may not power the machine off
        int errorCode = 0;              // otherwise, what went wrong
    };

    virtual ~PowerOff() = default;
    virtual Result powerOff() = 0;
};

// Asks systemd-logind over the system bus, without an interactive prompt:
// an unattended machine has nobody to answer one.
class LogindPowerOff final : public PowerOff {
public:
    Result powerOff() override;
};

}  // namespace sondex
