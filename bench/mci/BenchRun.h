#pragma once

#include <QByteArray>
#include <QString>

namespace sondex::bench {

// Prints a line of figures at once, so that a long run shows its progress.
void say(const QString& text);

// Prints a figure as a line of its own, "@ key value", for the report program
// (bench/report) to read beside the text meant for people.
void figure(const QByteArray& key, double value);

// Lets the engine's notices and timers run for this long, on a precise timer:
// a coarse one may fire 5 % early, which would shorten every take measured.
void runEventLoopFor(int milliseconds);

}  // namespace sondex::bench
