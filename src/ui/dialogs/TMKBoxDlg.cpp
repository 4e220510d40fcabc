#include "ui/dialogs/TMKBoxDlg.h"

#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"
#include "ui/dialogs/HostBusyScope.h"
#include "ui/dialogs/TMKBox.h"

#include <memory>

namespace sondex {
namespace {

BoxRequest request(const QString& text, BoxVariant variant, BoxKind kind, bool countsDown,
                   int seconds, BoxAnswer defaultAnswer) {
    return {text, variant, kind, countsDown, seconds, defaultAnswer};
}

}  // namespace

TMKBoxDlg::TMKBoxDlg(DialogHost& host, QObject* parent) : DialogComponent(host, parent) {}

// A box still open when its component goes (its owner window closing) is
// closed, so that the waiting call returns.
TMKBoxDlg::~TMKBoxDlg() {
    for (const Slot& slot : slots_) {
        if (slot.window != nullptr) slot.window->done(code(BoxAnswer::Closed));
    }
}

BoxAnswer TMKBoxDlg::MsgBox(const QString& text) {
    return show(request(text, BoxVariant::Ok, BoxKind::Plain, false, 0, BoxAnswer::Ok));
}

BoxAnswer TMKBoxDlg::MsgBoxYN(const QString& text) {
    return show(request(text, BoxVariant::YesNo, BoxKind::Plain, false, 0, BoxAnswer::Yes));
}

BoxAnswer TMKBoxDlg::TMMsgBox(const QString& text, BoxAnswer defaultAnswer) {
    return show(request(text, BoxVariant::Ok, BoxKind::Timed, timer_, timerCount_, defaultAnswer));
}

BoxAnswer TMKBoxDlg::TMMsgBoxYN(const QString& text, BoxAnswer defaultAnswer) {
    return show(
        request(text, BoxVariant::YesNo, BoxKind::Timed, timer_, timerCount_, defaultAnswer));
}

BoxAnswer TMKBoxDlg::SKMsgBox(const QString& text, BoxAnswer defaultAnswer) {
    return show(
        request(text, BoxVariant::Ok, BoxKind::Timed, skTimer_, skTimerCount_, defaultAnswer));
}

BoxAnswer TMKBoxDlg::ERMsgBox(const QString& text, BoxAnswer defaultAnswer) {
    return show(
        request(text, BoxVariant::Ok, BoxKind::Error, erTimer_, erTimerCount_, defaultAnswer));
}

BoxAnswer TMKBoxDlg::TMMsgBoxCount(int seconds, const QString& text, BoxAnswer defaultAnswer) {
    return show(request(text, BoxVariant::Ok, BoxKind::Timed, timer_, seconds, defaultAnswer));
}

BoxAnswer TMKBoxDlg::ERMsgBoxCount(int seconds, const QString& text, BoxAnswer defaultAnswer) {
    return show(request(text, BoxVariant::Ok, BoxKind::Error, erTimer_, seconds, defaultAnswer));
}

bool TMKBoxDlg::slotBusy(int slot) const {
    return slot >= 0 && slot < kSlots && slots_[static_cast<size_t>(slot)].busy;
}

TMKBox* TMKBoxDlg::boxInSlot(int slot) const {
    return slot >= 0 && slot < kSlots ? slots_[static_cast<size_t>(slot)].window : nullptr;
}

BoxAnswer TMKBoxDlg::show(const BoxRequest& request) {
    Slot* slot = nullptr;
    for (Slot& candidate : slots_) {
        if (!candidate.busy) {
            slot = &candidate;
            break;
        }
    }
    if (slot == nullptr) return BoxAnswer::NotShown;
    *slot = {true, request.countsDown, request.kind, request.seconds, nullptr};

    int answer = code(BoxAnswer::Closed);
    {
        const QPointer<TMKBoxDlg> alive(this);
        HostBusyScope busy(host_);
        auto box = std::make_unique<TMKBox>(request, host_);
        dressDialog(*box, title(), host_);
        placeOver(*box, anchor());
        slot->window = box.get();
        answer = box->exec();
        if (!alive) return answer == TMKBox::TimedOut ? request.defaultAnswer : static_cast<BoxAnswer>(answer);
        slot->window = nullptr;
    }
    *slot = {};
    return answer == TMKBox::TimedOut ? request.defaultAnswer : static_cast<BoxAnswer>(answer);
}

}  // namespace sondex
