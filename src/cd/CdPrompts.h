#pragma once

#include "core/BoxAnswer.h"

#include <QString>

namespace sondex {

// What the CD device operations show the person at the machine. The program
// answers through its timed message box, which also keeps the message-busy
// flag set while a box is up and repaints the window afterwards; tests script
// the answers. Every box has the default answer ＯＫ.
class CdPrompts {
public:
    virtual ~CdPrompts() = default;

    // ＯＫ, counting down `seconds` (0: the box's own countdown).
    virtual BoxAnswer timedMessage(const QString& text, int seconds) = 0;
    // ＯＫ and 中 断, counting down `seconds` (0: the box's own countdown).
    virtual BoxAnswer abortableMessage(const QString& text, int seconds) = 0;
};

}  // namespace sondex
