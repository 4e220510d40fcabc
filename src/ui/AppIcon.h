#pragma once

#include <QIcon>

namespace sondex {

// The program's icon in every size it ships (data/icons), for the windows,
// the task bar and the tray.
QIcon applicationIcon();

}  // namespace sondex
