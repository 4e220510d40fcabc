#include "files/TDIRSETDLG.h"

#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"
#include "files/TDIRSETForm.h"

namespace sondex {

TDIRSETDLG::TDIRSETDLG(DialogHost& host, QObject* parent) : QObject(parent), host_(host) {}

QString TDIRSETDLG::Execute() {
    TDIRSETForm form(host_, title_, dirName_, directory_, standardColor_, host_.mainWindow());
    placeOver(form, sourceHandle_ ? sourceHandle_ : host_.mainWindow());
    form.exec();
    return form.workingFolder().isEmpty() ? directory_ : form.workingFolder();
}

}  // namespace sondex
