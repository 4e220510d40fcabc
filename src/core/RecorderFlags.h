#pragma once

namespace sondex {

// The two flags that many commands test. Flags, not locks, keep handlers
// apart: everything runs on the one GUI thread.
struct RecorderFlags {
    // A message box, the save dialog or a pop-up menu is on screen: pop-up
    // menus and the tray icon stay quiet meanwhile.
    bool messageBusy = false;
    // The user answered 中 断, or the program is closing: CD searches and the
    // CD and music sequences stop at their next step.
    bool breakOff = false;
};

}  // namespace sondex
