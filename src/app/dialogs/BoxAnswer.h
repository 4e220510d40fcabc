#pragma once

namespace sondex::box_answer {

// What a message box operation returns. A countdown that runs out returns the
// caller's default instead.
inline constexpr int NotShown = 0;  // all ten slots were busy
inline constexpr int Ok = 1;
inline constexpr int Closed = 2;  // the window's close button
inline constexpr int Abort = 3;   // 中 断 (or 中 止 in the number dialog)
inline constexpr int Yes = 6;
inline constexpr int No = 7;

}  // namespace sondex::box_answer
