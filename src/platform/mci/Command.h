#pragma once

#include "platform/mci/ErrorCode.h"

#include <QList>
#include <QString>

namespace sondex::mci {

// One blank-separated word of a command; a quoted word may hold blanks.
struct Token {
    QString text;
    bool quoted = false;

    // True for an unquoted word equal to the keyword in any letter case.
    bool is(QStringView keyword) const;
};

// A command string taken apart: the verb, the device (alias, device type or
// file name) and the words after it, with the "wait" and "notify" flags
// removed from wherever they stood.
struct Command {
    QString verb;  // lower-case
    Token device;
    QList<Token> args;
    bool wait = false;
    bool notify = false;

    // The unquoted words from args[first] on, lower-cased and joined by one blank
    // ("media present", "can record"); empty when a quoted word is among them.
    QString phraseFrom(qsizetype first = 0) const;
    // What a status, info or capability command asks for (phraseFrom()); an
    // empty item is a missing argument, or an unknown keyword when quoted.
    Error missingItemError() const { return args.isEmpty() ? Error::MissingArgument : Error::UnknownKeyword; }
};

// A boolean reply as the devices give it: "true" or "false".
inline QString booleanReply(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }

struct ParsedCommand {
    Error error = Error::None;
    Command command;
};

// Splits a command string. Letter case of keywords does not matter; file names
// in double quotes keep their blanks and characters.
ParsedCommand parseCommand(QStringView text);

// The verbs of the command vocabulary; any other verb is an unknown command.
bool isKnownVerb(const QString& lowerVerb);

}  // namespace sondex::mci
