#include "files/TDIRSETDLG.h"

#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"
#include "files/TDIRSETForm.h"

namespace sondex {

TDIRSETDLG::TDIRSETDLG(DialogHost& host, QObject* parent) : ColouredDialogComponent(host, parent) {}

QString TDIRSETDLG::Execute() {
    TDIRSETForm form(host_, title(), dirName_, directory_, standardColor(), host_.mainWindow());
    placeOver(form, anchor());
    form.exec();
    return form.workingFolder().isEmpty() ? directory_ : form.workingFolder();
}

}  // namespace sondex
