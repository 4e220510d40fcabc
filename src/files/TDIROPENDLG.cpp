#include "files/TDIROPENDLG.h"

#include "files/BrowserTexts.h"
#include "files/TDIRVIEWForm.h"
#include "platform/AppPaths.h"
#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"

namespace sondex {

TDIROPENDLG::TDIROPENDLG(DialogHost& host, std::function<QList<DiskVolume>()> drives,
                         QObject* parent)
    : ColouredDialogComponent(host, parent), drives_(std::move(drives)) {}

bool TDIROPENDLG::Execute() {
    QWidget* owner = anchor();
    TDIRVIEWForm form(host_, title(), browsing::startFolder(directory_, paths::programFolder()),
                      standardColor(), drives_(), owner);
    placeOver(form, owner);
    if (form.exec() != QDialog::Accepted) return false;
    directory_ = form.folder();
    return true;
}

}  // namespace sondex
