#include "ui/SystemDesktopServices.h"

#include <QApplication>
#include <QDesktopServices>

namespace sondex {

bool SystemDesktopServices::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

void SystemDesktopServices::beep() { QApplication::beep(); }

}  // namespace sondex
