#include "files/TReNameBoxDlg.h"

#include "files/RenameRules.h"
#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"
#include "ui/dialogs/HostBusyScope.h"
#include "ui/dialogs/TMKBoxDlg.h"

namespace sondex {

TReNameBoxDlg::TReNameBoxDlg(DialogHost& host, QObject* parent) : QObject(parent), host_(host) {}

int TReNameBoxDlg::Execute(const QString& path) {
    HostBusyScope busy(host_);
    s_.digits = renamerules::limitDigits(s_.digits);
    TRENAMEBox box(host_, path, newName_, s_, standardColor_, host_.mainWindow());
    const QString caption = title_.isEmpty() ? host_.programTitle() : title_;
    dressDialog(box, caption, host_);
    box.messages().setTitle(caption);
    placeOver(box, sourceHandle_ ? sourceHandle_.data() : host_.mainWindow());
    const int result = box.exec();
    s_ = box.settingsAfter(s_);
    if (result == TRENAMEBox::Done) newName_ = box.resultPath();
    return result;
}

}  // namespace sondex
