#pragma once

// The window messages that carry device notices and forwarded lines between
// the recorder's objects; they keep their numbers so logs read like the protocol.
namespace sondex::msg {

inline constexpr int MM_MCINOTIFY = 0x03B9;  // recording device notice, to the main window
inline constexpr int MusicNotice = 0x040A;    // WM_USER+10: music device notice via SUB0
inline constexpr int CdNotice = 0x040B;       // WM_USER+11: CD device notice via SUB1

}  // namespace sondex::msg
