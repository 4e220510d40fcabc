#pragma once

#include "platform/mci/Command.h"

#include <optional>

namespace sondex::mci {

// What an open command asks for: the device type (lower-case), the element it
// works on (a file, or a CD unit such as "E:"), the alias and the options.
struct OpenRequest {
    QString typeName;
    QString element;
    QString alias;
    std::optional<int> bufferSeconds;
};

struct ParsedOpen {
    Error error = Error::None;
    OpenRequest request;
};

// Reads "open <device> [type <t>] [alias <a>] [buffer <n>] [shareable]". The
// type comes from "type", else from "type!element", else from the file
// (typeForFile), else the device word is itself the type.
ParsedOpen parseOpen(const Command& command);

// The device type that opens files with this extension ("wav" -> "waveaudio");
// empty for an extension no device plays.
QString typeForExtension(const QString& extension);

// The device type that opens this file by its first bytes (a MIDI file, a
// WAV file, any other file the music file player reads); by its extension
// when its bytes say nothing or it cannot be read.
QString typeForFile(const QString& path);

// Device types that exist in the vocabulary, whether or not a kind is installed for them.
bool isKnownTypeName(const QString& lowerTypeName);

}  // namespace sondex::mci
