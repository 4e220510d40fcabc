#include "app/dialogs/HostBusyScope.h"

#include "app/RecorderFlags.h"
#include "app/dialogs/DialogHost.h"

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
