#include "platform/DesktopServices.h"

#include <QDesktopServices>

namespace sondex {

bool SystemDesktopServices::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace sondex
