#pragma once

namespace sondex {

// What a message box operation returns, and the default answer a countdown
// that runs out gives instead. The numbers are the ones the boxes have always
// reported, so logs and stored habits read the same.
enum class BoxAnswer : int {
    NotShown = 0,  // all ten slots were busy
    Ok = 1,
    Closed = 2,  // the window's close button
    Abort = 3,   // 中 断 (or 中 止 in the number dialog)
    Yes = 6,
    No = 7,
};

inline constexpr int code(BoxAnswer answer) { return static_cast<int>(answer); }

}  // namespace sondex
