#include "files/TDIR2OPENDLG.h"

#include "files/BrowserTexts.h"
#include "files/TDIR2VIEWForm.h"
#include "platform/AppPaths.h"
#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"

namespace sondex {

TDIR2OPENDLG::TDIR2OPENDLG(DialogHost& host, std::function<QList<DiskVolume>()> drives,
                           QObject* parent)
    : ColouredDialogComponent(host, parent), drives_(std::move(drives)) {}

int TDIR2OPENDLG::Execute(const QString& captionSuffix) {
    QWidget* owner = anchor();
    const QString start = browsing::startFolder(directory_.isEmpty() ? initialDir_ : directory_,
                                                paths::programFolder());
    TDIR2VIEWForm form(host_, title(), captionSuffix, start, filter_, standardColor(), drives_(),
                       owner);
    placeOver(form, owner);
    const int result = form.exec();
    if (result == TDIR2VIEWForm::kChosen) directory_ = form.chosenFolder();
    return result == TDIR2VIEWForm::kChosen ? TDIR2VIEWForm::kChosen : TDIR2VIEWForm::kCancelled;
}

}  // namespace sondex
