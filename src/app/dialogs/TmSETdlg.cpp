#include "app/dialogs/TmSETdlg.h"

#include "app/dialogs/BoxAnswer.h"
#include "app/dialogs/DialogFrame.h"
#include "app/dialogs/DialogHost.h"
#include "app/dialogs/HostBusyScope.h"
#include "app/dialogs/TmSET.h"

namespace sondex {

TTmSETBoxDlg::TTmSETBoxDlg(DialogHost& host, QObject* parent) : QObject(parent), host_(host) {}

int TTmSETBoxDlg::Execute(const QString& subject) {
    const NumberRequest request{msg0_, msg1_, msg2_, minCount_, tCount_, hms_, subject, title_};
    const QPointer<TTmSETBoxDlg> alive(this);
    HostBusyScope busy(host_);
    TTMSETBox box(request, host_);
    dressDialog(box, title_, host_);
    placeOver(box, sourceHandle_ ? sourceHandle_.data() : host_.mainWindow());
    const int answer = box.exec();
    if (answer == box_answer::Ok && alive) tCount_ = box.value();
    return answer;
}

}  // namespace sondex
