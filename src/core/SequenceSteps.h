#pragma once

// How the CD and music sequences walk their lists: each advance plays one
// entry, chosen by the step it was asked with.
namespace sondex::sequence {

inline constexpr int kSelectedEntry = -2;  // a start, or another entry chosen
inline constexpr int kNaturalNext = 0;     // the entry before ended by itself
inline constexpr int kSkip = 1;
inline constexpr int kBack = -1;

// The entry an advance plays from `current` (-1 for none) in a list of
// `count`, or -1 when the sequence ends. Skip and back wrap around the list,
// and so does the natural end with repeat on, but a list recorded along never
// wraps: it ends at its end.
int nextEntry(int current, int count, int step, bool recordAlong, bool repeat);

// What the user asked of a running sequence; the end-of-play notice carries
// it out. (Another entry chosen is the CD sequence's alone.)
enum class Request { None = 0, Pause = 1, Skip = 2, Back = 3, Resume = 4, EntryChanged = 9, Stop = 10 };

// What the end-of-play notice does with the request left for it: advance by
// `step`, pause there, or end the sequence (a stop, or a resume that found
// nothing paused).
struct AtPlayEnd {
    enum class Action { Advance, Pause, End };
    Action action = Action::Advance;
    int step = kNaturalNext;
};
AtPlayEnd atPlayEnd(Request request);

}  // namespace sondex::sequence
