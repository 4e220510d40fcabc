#include "core/BoxAnswer.h"
#include "ui/dialogs/BoxButtons.h"
#include "ui/dialogs/DialogFrame.h"

#include <gtest/gtest.h>

namespace sondex {
namespace {

TEST(BoxButtonsTest, TheMarkerGoesOnlyWhereTheDefaultHasAButton) {
    const BoxButtons ok = buttonsFor(BoxVariant::Ok, BoxKind::Timed, true);
    const BoxButtons error = buttonsFor(BoxVariant::Ok, BoxKind::Error, true);
    const BoxButtons yesNo = buttonsFor(BoxVariant::YesNo, BoxKind::Timed, true);
    struct Case {
        const BoxButtons& buttons;
        int defaultAnswer;
        MarkedButton marked;
    };
    const Case cases[] = {
        {ok, 1, MarkedButton::Ok},        {ok, 2, MarkedButton::Resume},
        {ok, 3, MarkedButton::None},      {ok, 6, MarkedButton::None},
        {error, 3, MarkedButton::Abort},  {error, 1, MarkedButton::Ok},
        {yesNo, 6, MarkedButton::Yes},    {yesNo, 7, MarkedButton::No},
        {yesNo, 2, MarkedButton::Resume}, {yesNo, 1, MarkedButton::None},
        {yesNo, 0, MarkedButton::None},   {yesNo, 3, MarkedButton::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(markedButton(c.buttons, true, static_cast<BoxAnswer>(c.defaultAnswer)), c.marked) << c.defaultAnswer;
    }
    EXPECT_EQ(markedButton(buttonsFor(BoxVariant::Ok, BoxKind::Timed, false), false, BoxAnswer::Ok),
              MarkedButton::None);
}

TEST(DialogFrameTest, CentresThenKeepsRightBottomThenLeftTopInside) {
    const QRect work(0, 0, 1024, 740);
    EXPECT_EQ(centredInWorkArea(QRect(100, 100, 400, 300), {200, 100}, work), QPoint(200, 200));
    EXPECT_EQ(centredInWorkArea(QRect(950, 700, 100, 80), {300, 200}, work), QPoint(724, 540));
    // Larger than the work area: the left and top edges win.
    EXPECT_EQ(centredInWorkArea(QRect(0, 0, 100, 100), {2000, 1000}, QRect(10, 20, 1000, 700)),
              QPoint(10, 20));
}

}  // namespace
}  // namespace sondex
