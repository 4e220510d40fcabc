#include "support/DialogTestSupport.h"

#include "core/BoxAnswer.h"
#include "ui/dialogs/MenuNumbers.h"
#include "ui/dialogs/TTmSETBoxDlg.h"
#include "ui/controls/SpinButton.h"

#include <QLabel>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

namespace sondex {
namespace {

using test::child;
using test::click;
using test::onNextModal;

QString valueShown(QWidget* dialog) {
    return child<QLabel>(dialog, "Label2")->text();
}

void spin(QWidget* dialog, const char* name, bool up, int times = 1) {
    auto* spinButton = child<SpinButton>(dialog, name);
    ASSERT_NE(spinButton, nullptr) << name;
    for (int i = 0; i < times; ++i)
        (up ? spinButton->upButton() : spinButton->downButton())->click();
}

class NumberDialogTest : public ::testing::Test {
protected:
    NumberDialogTest() : dialog(host) {}

    // Presses 設 定 and answers the confirmation with `button`; `question`
    // and `valueAsked` receive what the question and the value label said.
    static void confirm(QWidget* d, const char* button, QString* question = nullptr,
                        QString* valueAsked = nullptr) {
        onNextModal([=](QWidget* box) {
            if (question) *question = child<QTextEdit>(box, "MemoMsg")->toPlainText();
            if (valueAsked) *valueAsked = valueShown(d);
            click(box, button);
        });
        click(d, "Button1");
    }

    test::FakeHost host;
    TTmSETBoxDlg dialog;
};

TEST_F(NumberDialogTest, NotReadyWaitOfOneIsRaisedToThreeBeforeTheQuestion) {
    QString question;
    QString valueAsked;
    onNextModal([&](QWidget* d) {
        spin(d, "SpinButton1", false, 9);
        EXPECT_EQ(valueShown(d), QStringLiteral("1秒"));
        confirm(d, "Btn_Yes", &question, &valueAsked);
    });
    const auto choice = askMenuNumber(dialog, MenuNumberCommand::MO_NR_WAIT, 10);

    EXPECT_EQ(valueAsked, QStringLiteral("3秒"));
    EXPECT_EQ(question, QStringLiteral("NOT_READY待ち時間を、\n3秒に、設定します"));
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->value, 3);
    EXPECT_EQ(choice->caption, QStringLiteral("NOT_READY待ち時間 3秒"));
}

TEST_F(NumberDialogTest, SpinsStayWithinZeroAndTheCeiling) {
    dialog.setMsg0(QStringLiteral(" "));
    dialog.setTCount(32650);
    onNextModal([&](QWidget* d) {
        spin(d, "SpinButton3", true);
        EXPECT_EQ(valueShown(d), QStringLiteral("32700秒"));
        spin(d, "SpinButton1", true);
        EXPECT_EQ(valueShown(d), QStringLiteral("32700秒"));
        spin(d, "SpinButton3", false, 545);
        EXPECT_EQ(valueShown(d), QStringLiteral("0秒"));
        click(d, "Button4");
    });
    EXPECT_EQ(dialog.Execute(QStringLiteral("値")), BoxAnswer::Abort);
    EXPECT_EQ(dialog.tCount(), 32650);
}

TEST_F(NumberDialogTest, OnlyYesTakesTheValue) {
    dialog.setMsg0(QStringLiteral(" "));
    dialog.setTCount(5);
    onNextModal([&](QWidget* d) {
        spin(d, "SpinButton1", true);
        confirm(d, "Btn_No");
        EXPECT_TRUE(d->isVisible());
        EXPECT_TRUE(host.recorderFlags.messageBusy);
        d->close();
    });
    EXPECT_EQ(dialog.Execute(QStringLiteral("値")), BoxAnswer::Closed);
    EXPECT_EQ(dialog.tCount(), 5);
    EXPECT_FALSE(host.recorderFlags.messageBusy);

    onNextModal([&](QWidget* d) {
        spin(d, "SpinButton1", true);
        confirm(d, "Btn_Yes");
    });
    EXPECT_EQ(dialog.Execute(QStringLiteral("値")), BoxAnswer::Ok);
    EXPECT_EQ(dialog.tCount(), 6);
}

TEST_F(NumberDialogTest, AnEmptyFirstLineShowsACountAndALongOneWidensTheWindow) {
    dialog.setTCount(7);
    int narrowWidth = 0;
    onNextModal([&](QWidget* d) {
        EXPECT_EQ(valueShown(d), QStringLiteral("7個"));
        EXPECT_EQ(child<QWidget>(d, "SpinButton2")->toolTip(), QStringLiteral("１０"));
        narrowWidth = d->width();
        d->close();
    });
    dialog.Execute(QStringLiteral("個数"));

    const QString longLine(80, QChar(0x3042));
    dialog.setMsg0(longLine);
    onNextModal([&](QWidget* d) {
        auto* line = child<QLabel>(d, "LMsg0");
        EXPECT_GT(d->width(), narrowWidth);
        EXPECT_GE(line->width(), line->fontMetrics().horizontalAdvance(longLine));
        d->close();
    });
    dialog.Execute(QStringLiteral("個数"));
}

TEST_F(NumberDialogTest, ConfirmedValuesAreBroughtIntoTheCommandsRange) {
    onNextModal([&](QWidget* d) {
        spin(d, "SpinButton3", true);
        confirm(d, "Btn_Yes");
    });
    const auto choice = askMenuNumber(dialog, MenuNumberCommand::MO_CD_TRACK_PLUS, 5);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->value, 10);
    EXPECT_EQ(choice->caption, QStringLiteral("CD_Track_ENDプラス 10秒"));

    onNextModal([&](QWidget* d) { click(d, "Button4"); });
    EXPECT_FALSE(askMenuNumber(dialog, MenuNumberCommand::MSHUDO, 60).has_value());

    EXPECT_EQ(menuNumberCaption(MenuNumberCommand::MINTORO, 0),
              QStringLiteral("イントロ再／録 ＯＦＦ"));
    EXPECT_TRUE(menuNumberCaption(MenuNumberCommand::MSHUDO, 60).isEmpty());
}

}  // namespace
}  // namespace sondex
