#include "support/DialogTestSupport.h"

#include "core/BoxAnswer.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace sondex {
namespace {

using test::child;
using test::click;
using test::onNextModal;

class MessageBoxTest : public ::testing::Test {
protected:
    MessageBoxTest() : box(host) {
        // Long enough never to run out while a test presses buttons.
        box.setTimerCount(30);
        box.setErTimerCount(30);
        box.setSkTimerCount(30);
    }

    static bool shown(QWidget* dialog, const char* name) {
        QWidget* widget = child<QWidget>(dialog, name);
        return widget != nullptr && widget->isVisible();
    }

    // The marker is visible and stands just left of the button, on its row.
    static void expectMarkerBeside(QWidget* dialog, const char* buttonName) {
        const QWidget* marker = child<QWidget>(dialog, "Label_Select");
        const QWidget* button = child<QWidget>(dialog, buttonName);
        ASSERT_TRUE(marker->isVisible());
        const QRect m(marker->mapTo(dialog, QPoint(0, 0)), marker->size());
        const QRect b(button->mapTo(dialog, QPoint(0, 0)), button->size());
        EXPECT_LE(m.right(), b.left()) << buttonName;
        EXPECT_LE(b.left() - m.right(), 8) << buttonName;
        EXPECT_TRUE(m.top() < b.bottom() && b.top() < m.bottom()) << buttonName;
    }

    test::FakeHost host;
    TMKBoxDlg box;
};

TEST_F(MessageBoxTest, EachWayOfClosingGivesItsAnswer) {
    struct Case {
        const char* what;
        std::function<BoxAnswer(TMKBoxDlg&)> open;
        std::function<void(QWidget*)> act;
        BoxAnswer answer;
    };
    const QString text = QStringLiteral("確認");
    const Case cases[] = {
        {"ＯＫ", [&](TMKBoxDlg& b) { return b.TMMsgBox(text, BoxAnswer::Ok); },
         [](QWidget* d) { click(d, "Btn_OK"); }, BoxAnswer::Ok},
        {"中 断", [&](TMKBoxDlg& b) { return b.ERMsgBox(text, BoxAnswer::Abort); },
         [](QWidget* d) {
             expectMarkerBeside(d, "Btn_Abort");
             click(d, "Btn_Abort");
         },
         BoxAnswer::Abort},
        {"はい", [&](TMKBoxDlg& b) { return b.TMMsgBoxYN(text, BoxAnswer::No); },
         [](QWidget* d) { click(d, "Btn_Yes"); }, BoxAnswer::Yes},
        {"いいえ", [&](TMKBoxDlg& b) { return b.MsgBoxYN(text); },
         [](QWidget* d) { click(d, "Btn_No"); }, BoxAnswer::No},
        {"close button", [&](TMKBoxDlg& b) { return b.TMMsgBox(text, BoxAnswer::Ok); },
         [](QWidget* d) { d->close(); }, BoxAnswer::Closed},
        {"Esc presses 中 断", [&](TMKBoxDlg& b) { return b.ERMsgBoxCount(30, text, BoxAnswer::Ok); },
         [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }, BoxAnswer::Abort},
    };
    for (const Case& c : cases) {
        onNextModal(c.act);
        EXPECT_EQ(c.open(box), c.answer) << c.what;
    }
}

TEST_F(MessageBoxTest, ThePauseHoldsTheCountAndTheResumeGoesOnFromWhatWasLeft) {
    box.setTimerCount(2);
    int ticksSincePause = 0;
    onNextModal([&](QWidget* d) {
        auto* label = child<QLabel>(d, "Label_TM");
        EXPECT_EQ(label->text(), QStringLiteral("2秒"));
        EXPECT_TRUE(host.recorderFlags.messageBusy);
        ASSERT_TRUE(QTest::qWaitFor([&] { return label->text() == QStringLiteral("1秒"); }, 3000));
        click(d, "Btn_TM_STOP");
        EXPECT_FALSE(shown(d, "Btn_TM_STOP"));
        EXPECT_TRUE(shown(d, "Btn_TM_OPEN"));
        QObject::connect(child<QTimer>(d, "Timer1"), &QTimer::timeout,
                         [&ticksSincePause] { ++ticksSincePause; });
        QTest::qWait(1300);
        EXPECT_EQ(ticksSincePause, 0);
        EXPECT_EQ(label->text(), QStringLiteral("1秒"));
        click(d, "Btn_TM_OPEN");
        EXPECT_TRUE(shown(d, "Btn_TM_STOP"));
    });
    EXPECT_EQ(box.TMMsgBox(QStringLiteral("一時停止"), BoxAnswer::Ok), BoxAnswer::Ok);
    // One second was left: the first tick after the resume ends the box.
    EXPECT_EQ(ticksSincePause, 1);
}

TEST_F(MessageBoxTest, WithItsCountdownOffABoxShowsOnlyItsAnswersAndWaits) {
    box.setErTimer(false);
    box.setErTimerCount(1);
    onNextModal([&](QWidget* d) {
        EXPECT_TRUE(shown(d, "Btn_OK"));
        for (const char* name : {"Btn_Abort", "Btn_TM_STOP", "Btn_TM_OPEN", "Label_TM",
                                 "Label_Select", "Btn_Yes", "Btn_No"}) {
            EXPECT_FALSE(shown(d, name)) << name;
        }
        EXPECT_FALSE(child<QTimer>(d, "Timer1")->isActive());
        QTest::keyClick(d, Qt::Key_Escape);  // no cancel button: Esc does nothing
        EXPECT_TRUE(d->isVisible());
        click(d, "Btn_OK");
    });
    EXPECT_EQ(box.ERMsgBox(QStringLiteral("エラー"), BoxAnswer::Ok), BoxAnswer::Ok);
}

TEST_F(MessageBoxTest, AnEleventhBoxIsNotShownAndAnswersZero) {
    BoxAnswer eleventh = BoxAnswer::Closed;
    bool allBusy = false;
    std::function<void(int)> nest = [&](int open) {
        if (open == TMKBoxDlg::kSlots) {
            allBusy = true;
            for (int i = 0; i < TMKBoxDlg::kSlots; ++i) allBusy = allBusy && box.slotBusy(i);
            eleventh = box.MsgBox(QStringLiteral("11"));
            // Close the ten, innermost first.
            auto* closer = new QTimer(&box);
            QObject::connect(closer, &QTimer::timeout, [closer] {
                if (QWidget* top = QApplication::activeModalWidget()) {
                    click(top, "Btn_OK");
                } else {
                    closer->stop();
                }
            });
            closer->start(5);
            return;
        }
        onNextModal([&nest, open](QWidget*) { nest(open + 1); });
        EXPECT_EQ(box.MsgBox(QString::number(open + 1)), BoxAnswer::Ok);
    };
    nest(0);

    EXPECT_TRUE(allBusy);
    EXPECT_EQ(eleventh, BoxAnswer::NotShown);
    for (int i = 0; i < TMKBoxDlg::kSlots; ++i) EXPECT_FALSE(box.slotBusy(i)) << i;
    EXPECT_FALSE(host.recorderFlags.messageBusy);
}

TEST_F(MessageBoxTest, ABoxTakesTheHostsLookAndShowsTheTextOnSeveralLines) {
    host.background = QColor(Qt::red);
    host.text = QColor(Qt::yellow);
    host.toolTips = false;
    onNextModal([&](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("SONDEX何でもWAV録音"));
        EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(d->palette().color(QPalette::Window), QColor(Qt::red));
        EXPECT_EQ(d->palette().color(QPalette::WindowText), QColor(Qt::yellow));
        EXPECT_EQ(child<QWidget>(d, "Label_Select")->palette().color(QPalette::Window),
                  QColor(Qt::blue));
        auto* memo = child<QTextEdit>(d, "MemoMsg");
        EXPECT_TRUE(memo->isReadOnly());
        EXPECT_EQ(memo->document()->blockCount(), 2);
        EXPECT_TRUE(memo->toolTip().isEmpty());
        d->close();
    });
    box.TMMsgBox(QStringLiteral("一行目\n二行目"), BoxAnswer::Ok);

    host.background = QColor(Qt::white);
    host.toolTips = true;
    box.setTitle(QStringLiteral("録音"));
    onNextModal([&](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("録音"));
        EXPECT_EQ(child<QWidget>(d, "Label_Select")->palette().color(QPalette::Window),
                  QColor(Qt::red));
        EXPECT_EQ(child<QWidget>(d, "MemoMsg")->toolTip(),
                  QStringLiteral("右クリックで、コピーできます☆"));
        d->close();
    });
    box.TMMsgBox(QStringLiteral("メッセージ"), BoxAnswer::Ok);
}

}  // namespace
}  // namespace sondex
