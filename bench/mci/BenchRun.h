#pragma once

#include <QString>

namespace sondex::bench {

// Prints a line of figures at once, so that a long run shows its progress.
void say(const QString& text);

// Lets the engine's notices and timers run for this long, on a precise timer:
// a coarse one may fire 5 % early, which would shorten every take measured.
void runEventLoopFor(int milliseconds);

}  // namespace sondex::bench
