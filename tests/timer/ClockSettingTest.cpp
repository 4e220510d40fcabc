// Setting the clock: the window's sets reach the clock service, a refused set
// is told and changes nothing, and the system bus service fails cleanly when
// there is no bus.
#include "platform/SystemClock.h"
#include "support/DialogTestSupport.h"
#include "support/FakeDesktop.h"
#include "timer/TJikanBoxDlg.h"
#include "ui/controls/SpinButton.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

namespace sondex {
namespace {

using test::child;
using test::click;
using test::onNextModal;
using Outcome = SystemClock::Outcome;

QDateTime at(const char* text) {
    return QDateTime::fromString(QString::fromLatin1(text),
                                 QStringLiteral("yyyy/MM/dd hh:mm:ss.zzz"));
}

// Presses a button whose set is refused, and answers the message box it brings.
void pressRefused(QWidget* dialog, const char* button) {
    onNextModal([](QWidget* box) { click(box, "Btn_OK"); });
    click(dialog, button);
}

TEST(ClockSettingTest, SetsReachTheClockAndRefusalsAreToldWithoutChangingIt) {
    test::FakeHost host;
    test::FakeSystemClock clock;
    clock.now = at("2001/03/31 10:15:42.500");
    TJikanBoxDlg dialog(host, clock, [&clock] { return clock.now; });
    test::BoxTextWatch boxes;
    const QDateTime set = at("2001/03/31 10:15:00.000");

    onNextModal([&](QWidget* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("SONDEX何でもWAV録音 時刻設定"));
        click(d, "Btn_00");
        EXPECT_EQ(clock.now, set);
        EXPECT_EQ(child<QLabel>(d, "Label_NowTime")->text(),
                  QStringLiteral("2001/03/31 土 10:15:00"));

        clock.answer = {Outcome::NetworkTimeOn, {}};
        pressRefused(d, "Btn_30");
        clock.answer = {Outcome::Failed, QStringLiteral("No such service")};
        pressRefused(d, "Btn_M10");

        // The detailed setting: the edit time starts at now and sets one hour on.
        clock.answer = {Outcome::PermissionRefused, {}};
        click(d, "Btn_Shosai");
        child<SpinButton>(d, "SpinButton_H")->upButton()->click();
        EXPECT_EQ(child<QLabel>(d, "Label_EditTime")->text(),
                  QStringLiteral("2001/03/31 土 11:15:00"));
        pressRefused(d, "Btn_SetEditTime");
        EXPECT_EQ(clock.requests.last(), at("2001/03/31 11:15:00.000"));

        EXPECT_EQ(clock.now, set);
        EXPECT_EQ(child<QLabel>(d, "Label_NowTime")->text(),
                  QStringLiteral("2001/03/31 土 10:15:00"));
        click(d, "Btn_OK");
    });
    EXPECT_TRUE(dialog.Execute());

    EXPECT_EQ(clock.requests.size(), 4);
    EXPECT_EQ(
        boxes.texts,
        QStringList(
            {QStringLiteral("時計は、ネットワーク時刻で自動的に合わせられています・・・\n"
                            "時刻を変えるには、自動の時刻合わせを止めて下さい。"),
             QStringLiteral("時刻を変更できませんでした・・・\nNo such service"),
             QStringLiteral("時刻を変更する権限がありません・・・\n時刻は変わっていません。")}));
    EXPECT_FALSE(host.recorderFlags.messageBusy);
}

TEST(ClockSettingTest, WithoutASystemBusTheSetFailsAtOnceWithAReason) {
    QTemporaryDir dir;
    qputenv("DBUS_SYSTEM_BUS_ADDRESS",
            QByteArray("unix:path=") + dir.filePath(QStringLiteral("no-bus")).toUtf8());
    // Reaching a real bus here would set this machine's clock: stop first.
    ASSERT_FALSE(QDBusConnection::systemBus().isConnected());

    QElapsedTimer elapsed;
    elapsed.start();
    const SystemClock::Result result = TimedatedClock().setLocalTime(QDateTime::currentDateTime());
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_LT(elapsed.elapsed(), 5000);
}

}  // namespace
}  // namespace sondex
