#include "ui/dialogs/TTmSETBoxDlg.h"

#include "core/BoxAnswer.h"
#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"
#include "ui/dialogs/HostBusyScope.h"
#include "ui/dialogs/TTMSETBox.h"

namespace sondex {

TTmSETBoxDlg::TTmSETBoxDlg(DialogHost& host, QObject* parent) : DialogComponent(host, parent) {}

BoxAnswer TTmSETBoxDlg::Execute(const QString& subject) {
    const NumberRequest request{msg0_, msg1_, msg2_, minCount_, tCount_, hms_, subject, title()};
    const QPointer<TTmSETBoxDlg> alive(this);
    HostBusyScope busy(host_);
    TTMSETBox box(request, host_);
    dressDialog(box, title(), host_);
    placeOver(box, anchor());
    const auto answer = static_cast<BoxAnswer>(box.exec());
    if (answer == BoxAnswer::Ok && alive) tCount_ = box.value();
    return answer;
}

}  // namespace sondex
