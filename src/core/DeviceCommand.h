#pragma once

#include "core/MciChannel.h"

#include <QString>
#include <QStringView>

namespace sondex {

// The one place device command strings are put together: the verb, the
// alias's name, then the rest ("status tavikREC position").
QString deviceCommand(QStringView verb, Alias alias, QStringView rest = {});

// A path as one argument of a command: in double quotes, with a double quote
// inside written twice, which the engine reads back as one, so no file name
// can end the argument early or add words to the command.
QString quotedPath(const QString& path);

}  // namespace sondex
