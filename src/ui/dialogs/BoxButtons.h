#pragma once

#include "core/BoxAnswer.h"

namespace sondex {

enum class BoxVariant { Ok, YesNo };
// Plain boxes never count down; error boxes may offer 中 断.
enum class BoxKind { Plain = 0, Timed = 1, Error = 2 };

// The buttons a box shows. 一時停止 and the remaining seconds appear only
// while the box counts down; so does 中 断, which only error boxes offer.
struct BoxButtons {
    bool ok = false;
    bool yes = false;
    bool no = false;
    bool abort = false;
    bool pause = false;
};

BoxButtons buttonsFor(BoxVariant variant, BoxKind kind, bool countsDown);

// The button the red marker stands beside: the one the countdown will choose.
enum class MarkedButton { None, Ok, Yes, No, Abort, Resume };

MarkedButton markedButton(const BoxButtons& buttons, bool countsDown, BoxAnswer defaultAnswer);

}  // namespace sondex
