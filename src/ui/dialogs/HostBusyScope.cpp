#include "ui/dialogs/HostBusyScope.h"

#include "core/RecorderFlags.h"
#include "ui/dialogs/DialogHost.h"

#include <QWidget>

namespace sondex {

HostBusyScope::HostBusyScope(DialogHost& host) : host_(host), before_(host.flags().messageBusy) {
    host_.flags().messageBusy = true;
}

HostBusyScope::~HostBusyScope() {
    host_.flags().messageBusy = before_;
    if (QWidget* main = host_.mainWindow()) main->update();
}

}  // namespace sondex
