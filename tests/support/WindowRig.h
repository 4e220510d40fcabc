#pragma once

#include "app/MainWindow.h"
#include "core/MciChannel.h"
#include "support/FakeDesktop.h"
#include "support/ScriptedEngine.h"

#include <QCoreApplication>

namespace sondex::test {

// The services a main window needs, as doubles: the desktop, the power-off,
// the clock, the mixer and a channel to a scripted engine that logs every command.
struct WindowRig {
    FakeDesktop desktop;
    FakePowerOff powerOff;
    FakeSystemClock clock;
    FakeSleepInhibitor sleep;
    FakeMixer mixer;
    ScriptedEngine engine;
    MciChannel channel{engine, [] { QCoreApplication::processEvents(); }};

    WindowServices services() {
        WindowServices services{desktop, powerOff, channel, clock, sleep};
        services.mixer = &mixer;
        return services;
    }
};

}  // namespace sondex::test
