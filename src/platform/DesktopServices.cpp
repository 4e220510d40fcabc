#include "platform/DesktopServices.h"

#include <QDesktopServices>
#include <QApplication>

namespace sondex {

bool SystemDesktopServices::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

void SystemDesktopServices::beep() { QApplication::beep(); }

}  // namespace sondex
