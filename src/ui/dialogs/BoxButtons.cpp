#include "ui/dialogs/BoxButtons.h"

#include "core/BoxAnswer.h"

namespace sondex {

BoxButtons buttonsFor(BoxVariant variant, BoxKind kind, bool countsDown) {
    BoxButtons buttons;
    buttons.ok = variant == BoxVariant::Ok;
    buttons.yes = variant == BoxVariant::YesNo;
    buttons.no = variant == BoxVariant::YesNo;
    buttons.abort = countsDown && kind == BoxKind::Error;
    buttons.pause = countsDown;
    return buttons;
}

MarkedButton markedButton(const BoxButtons& buttons, bool countsDown, BoxAnswer defaultAnswer) {
    if (!countsDown) return MarkedButton::None;
    switch (defaultAnswer) {
        case BoxAnswer::Ok:
            return buttons.ok ? MarkedButton::Ok : MarkedButton::None;
        case BoxAnswer::Closed:
            // A closed box has no button of its own; the marker stands where ｶｳﾝﾄ再開 appears.
            return buttons.pause ? MarkedButton::Resume : MarkedButton::None;
        case BoxAnswer::Abort:
            return buttons.abort ? MarkedButton::Abort : MarkedButton::None;
        case BoxAnswer::Yes:
            return buttons.yes ? MarkedButton::Yes : MarkedButton::None;
        case BoxAnswer::No:
            return buttons.no ? MarkedButton::No : MarkedButton::None;
        default:
            return MarkedButton::None;
    }
}

}  // namespace sondex
