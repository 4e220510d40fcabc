#include "files/TReNameBoxDlg.h"

#include "files/RenameRules.h"
#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"
#include "ui/dialogs/HostBusyScope.h"
#include "ui/dialogs/TMKBoxDlg.h"

namespace sondex {

TReNameBoxDlg::TReNameBoxDlg(DialogHost& host, QObject* parent) : ColouredDialogComponent(host, parent) {}

int TReNameBoxDlg::Execute(const QString& path) {
    HostBusyScope busy(host_);
    s_.digits = renamerules::limitDigits(s_.digits);
    TRENAMEBox box(host_, path, newName_, s_, standardColor(), host_.mainWindow());
    const QString caption = captionTitle();
    dressDialog(box, caption, host_);
    box.messages().setTitle(caption);
    placeOver(box, anchor());
    const int result = box.exec();
    s_ = box.settingsAfter(s_);
    if (result == TRENAMEBox::Done) newName_ = box.resultPath();
    return result;
}

}  // namespace sondex
