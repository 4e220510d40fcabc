#pragma once

#include <QString>

namespace sondex::mci {

// The engine's result codes. 0 is success; every other code has a Japanese
// text (errorTextFor). The numbers start above the channel's own -1 and never
// change, because callers may log them.
enum class Error : int {
    None = 0,
    EmptyCommand = 257,
    UnknownCommand,
    MissingDeviceName,
    UnterminatedQuote,
    UnknownAlias,
    AliasInUse,
    UnknownDeviceType,
    DeviceTypeNotSupported,
    UnsupportedCommand,
    MissingArgument,
    BadArgument,
    UnknownKeyword,
    WaitNotPossible,
    FileNotFound,
    FileUnreadable,
    BadWaveHeader,
    SoundServerUnavailable,
    TemporaryFileFailed,
    SizeLimitReached,
    FolderMissing,
    ReadOnlyTarget,
    AccessDenied,
    DiskFull,
    WriteFailed,
    NoSuchCdUnit,
    NoDisc,
    DoorNotSupported,
    DoorFailed,
    SoundOutputUnavailable,
    UnsupportedMusicFile,
    MusicOutputUnavailable,
    BadMidiFile,
    NoSoundFont,
};

constexpr int toCode(Error error) { return static_cast<int>(error); }

// The text for a result code; codes the engine never gives get a text that names the number.
QString errorTextFor(int code);

// The error that describes a failed file operation (errno value).
Error errorForErrno(int errnoValue);

}  // namespace sondex::mci
