#include "core/SequenceSteps.h"

namespace sondex::sequence {

int nextEntry(int current, int count, int step, bool recordAlong, bool repeat) {
    int delta = step == kNaturalNext ? 1 : step;
    if (step == kSelectedEntry) delta = current == -1 ? 1 : 0;
    int next = current + delta;
    if (!recordAlong && (step != kNaturalNext || repeat)) {
        if (next >= count) next = 0;
        if (next < 0) next = count - 1;
    }
    return next < 0 || next >= count ? -1 : next;
}

AtPlayEnd atPlayEnd(Request request) {
    switch (request) {
    case Request::None:
        return {};
    case Request::Skip:
        return {AtPlayEnd::Action::Advance, kSkip};
    case Request::Back:
        return {AtPlayEnd::Action::Advance, kBack};
    case Request::EntryChanged:
        return {AtPlayEnd::Action::Advance, kSelectedEntry};
    case Request::Pause:
        return {AtPlayEnd::Action::Pause, kNaturalNext};
    case Request::Resume:
    case Request::Stop:
        break;
    }
    return {AtPlayEnd::Action::End, kNaturalNext};
}

}  // namespace sondex::sequence
