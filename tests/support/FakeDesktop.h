#pragma once

#include "platform/DesktopServices.h"
#include "platform/MixerLauncher.h"
#include "platform/PowerOff.h"
#include "platform/SleepInhibitor.h"
#include "platform/SystemClock.h"

#include <QDateTime>
#include <QList>

namespace sondex::test {

// Remembers what the program asked the desktop to open; opens nothing.
class FakeDesktop final : public DesktopServices {
public:
    bool openUrl(const QUrl& url) override {
        opened.append(url);
        return answer;
    }
    void beep() override { ++beeps; }

    QList<QUrl> opened;
    bool answer = true;
    int beeps = 0;
};

// Counts power-off requests and answers as told; never touches the machine.
class FakePowerOff final : public PowerOff {
public:
    Result powerOff() override {
        ++requests;
        return result;
    }
    int requests = 0;
    Result result{true, false, 0};
};

// A clock of its own: a set that is answered Done moves `now`, any other
// answer leaves it. Never touches the machine's clock.
class FakeSystemClock final : public SystemClock {
public:
    Result setLocalTime(const QDateTime& moment) override {
        requests.append(moment);
        if (answer.outcome == Outcome::Done) now = moment;
        return answer;
    }
    QDateTime now = QDateTime::currentDateTime();
    QList<QDateTime> requests;
    Result answer{Outcome::Done, {}};
};

// Remembers whether the sleep lock is held; asks nobody.
class FakeSleepInhibitor final : public SleepInhibitor {
public:
    void hold() override { held = true; }
    void release() override { held = false; }
    bool isHeld() const override { return held; }
    bool held = false;
};

// Remembers the pages the program asked the mixer for and answers as told;
// opens no window.
class FakeMixer final : public MixerLauncher {
public:
    struct Opening {
        Tab tab;
        bool large;
        bool operator==(const Opening&) const = default;
    };
    bool isInstalled() const override { return answer != Launch::Missing; }
    Launch open(Tab tab, bool large) override {
        opened.append({tab, large});
        return answer;
    }
    QList<Opening> opened;
    Launch answer = Launch::Started;
};

}  // namespace sondex::test
