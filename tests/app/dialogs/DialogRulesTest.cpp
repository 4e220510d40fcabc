#include "app/dialogs/BoxAnswer.h"
#include "app/dialogs/BoxButtons.h"
#include "app/dialogs/DialogFrame.h"
#include "app/dialogs/NumberRules.h"

#include <gtest/gtest.h>

namespace sondex {
namespace {

TEST(BoxButtonsTest, CountdownBringsPauseAndErrorBoxesAlsoAbort) {
    const BoxButtons error = buttonsFor(BoxVariant::Ok, BoxKind::Error, true);
    EXPECT_TRUE(error.ok && error.abort && error.pause);
    EXPECT_FALSE(error.yes || error.no);

    const BoxButtons quietError = buttonsFor(BoxVariant::Ok, BoxKind::Error, false);
    EXPECT_TRUE(quietError.ok);
    EXPECT_FALSE(quietError.abort || quietError.pause);

    const BoxButtons question = buttonsFor(BoxVariant::YesNo, BoxKind::Timed, true);
    EXPECT_TRUE(question.yes && question.no && question.pause);
    EXPECT_FALSE(question.ok || question.abort);
}

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
        EXPECT_EQ(markedButton(c.buttons, true, c.defaultAnswer), c.marked) << c.defaultAnswer;
    }
    EXPECT_EQ(markedButton(buttonsFor(BoxVariant::Ok, BoxKind::Timed, false), false, 1),
              MarkedButton::None);
}

TEST(NumberRulesTest, StepsClampAndTheMinimumSparesZero) {
    EXPECT_EQ(number_rules::stepped(32690, 60), 32700);
    EXPECT_EQ(number_rules::stepped(5, -10), 0);
    EXPECT_EQ(number_rules::stepped(90000, -1), 32700);
    EXPECT_EQ(number_rules::raisedToMinimum(1, 3), 3);
    EXPECT_EQ(number_rules::raisedToMinimum(0, 3), 0);
    EXPECT_EQ(number_rules::raisedToMinimum(5, 3), 5);
    EXPECT_EQ(number_rules::valueText(12, QStringLiteral(" "), QStringLiteral("秒")),
              QStringLiteral("12秒"));
    EXPECT_EQ(number_rules::valueText(12, QString(), QStringLiteral("秒")), QStringLiteral("12個"));
}

TEST(DialogFrameTest, CentresThenKeepsRightBottomThenLeftTopInside) {
    const QRect work(0, 0, 1024, 740);
    EXPECT_EQ(centredInWorkArea(QRect(100, 100, 400, 300), {200, 100}, work), QPoint(200, 200));
    EXPECT_EQ(centredInWorkArea(std::nullopt, {224, 140}, work), QPoint(400, 300));
    EXPECT_EQ(centredInWorkArea(QRect(950, 700, 100, 80), {300, 200}, work), QPoint(724, 540));
    EXPECT_EQ(centredInWorkArea(QRect(-200, -100, 100, 80), {300, 200}, work), QPoint(0, 0));
    // Larger than the work area: the left and top edges win.
    EXPECT_EQ(centredInWorkArea(QRect(0, 0, 100, 100), {2000, 1000}, QRect(10, 20, 1000, 700)),
              QPoint(10, 20));
}

}  // namespace
}  // namespace sondex
