#include "files/TDIROPENDLG.h"

#include "files/BrowserTexts.h"
#include "files/TDIRVIEWForm.h"
#include "platform/AppPaths.h"
#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"

namespace sondex {

TDIROPENDLG::TDIROPENDLG(DialogHost& host, std::function<QList<DiskVolume>()> drives,
                         QObject* parent)
    : QObject(parent), host_(host), drives_(std::move(drives)) {}

bool TDIROPENDLG::Execute() {
    QWidget* owner = sourceHandle_ ? sourceHandle_ : host_.mainWindow();
    TDIRVIEWForm form(host_, title_, browsing::startFolder(directory_, paths::programFolder()),
                      standardColor_, drives_(), owner);
    placeOver(form, owner);
    if (form.exec() != QDialog::Accepted) return false;
    directory_ = form.folder();
    return true;
}

}  // namespace sondex
