#include "timer/TJikanBoxDlg.h"

#include "timer/TJikanBox.h"
#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"
#include "ui/dialogs/HostBusyScope.h"

namespace sondex {

TJikanBoxDlg::TJikanBoxDlg(DialogHost& host, SystemClock& clock, Now now, QObject* parent)
    : DialogComponent(host, parent), clock_(clock), now_(std::move(now)) {}

bool TJikanBoxDlg::Execute() {
    HostBusyScope busy(host_);
    const QString caption =
        (captionTitle()) + QStringLiteral(" 時刻設定");
    TJikanBox box(host_, clock_, now_, caption, host_.mainWindow());
    dressDialog(box, caption, host_);
    placeOver(box, anchor());
    return box.exec() == QDialog::Accepted;
}

}  // namespace sondex
