#pragma once

#include <QString>
#include <QStringList>

namespace sondex {

// What one command line asks for: the start-up arguments, a line forwarded by
// a later start, or dropped files. Every line starts from an empty request.
struct SwitchRequest {
    bool RS = false;   // start (or resume) a manual recording
    bool PC = false;   // start CD play
    bool T = false;    // go to the notification area
    bool C = false;    // exit after recording
    bool W = false;    // power off after recording
    int J = -1;        // manual timer seconds; -1: not given
    int NE = -1;       // 0: pause at the timer's end, 1: stop; -1: not given
    QStringList paths; // existing files named by absolute path, in order
};

enum class SwitchSource { StartUp, Forwarded };

// Reads the switches of a command line: start-up arguments one piece each, a
// forwarded line split at "?". A leading "-" counts as "/", switches ignore
// letter case, and anything that matches nothing is ignored.
SwitchRequest parseSwitches(const QStringList& pieces, SwitchSource source);
SwitchRequest parseForwardedLine(const QString& line);

// The seconds of a "/J" value: "m.s", "m." or ".s" as minutes and seconds,
// otherwise plain seconds; -1 when it is not a number.
int timerSecondsFromSwitch(const QString& value);

}  // namespace sondex
