#include "app/Identity.h"
#include "app/MainWindow.h"
#include "app/NoticeRelay.h"
#include "app/Settings.h"
#include "app/WindowMessages.h"
#include "platform/IniSettingsStore.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : identity(Identity::forThisUser()),
          store(dir.filePath(QStringLiteral("SONDEX.ini"))),
          settings(identity.ProgramFolder) {
        store.writeTexts({{QStringLiteral("Version"), QStringLiteral("22")},
                          {QStringLiteral("Unknown"), QStringLiteral("kept")},
                          {QStringLiteral("NR_WAIT"), QStringLiteral("500")}});
    }

    QByteArray fileBytes() const {
        QFile file(store.path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    Identity identity;
    IniSettingsStore store;
    Settings settings;
};

TEST_F(MainWindowTest, AClosingDuringStartUpWritesNothing) {
    const QByteArray before = fileBytes();
    MainWindow window(identity, settings, store);
    EXPECT_EQ(window.objectName(), QStringLiteral("TSONDEX_TAVIK"));
    EXPECT_TRUE(window.isStartingUp());
    window.close();
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(MainWindowTest, TheCloseWritesEveryValueBackInOrderAndKeepsTheRest) {
    MainWindow window(identity, settings, store);
    QSignalSpy ready(&window, &MainWindow::startupFinished);
    ASSERT_TRUE(ready.wait(5000));
    window.move(40, 50);
    window.close();

    const QList<QByteArray> lines = fileBytes().split('\n');
    ASSERT_GE(lines.size(), 3 + kSettingCount);
    EXPECT_EQ(lines[0], "[SONDEX]");
    EXPECT_EQ(lines[1], "Version=22");
    EXPECT_EQ(lines[2], "Unknown=kept");
    EXPECT_EQ(lines[3], "NR_WAIT=180");  // updated where it stood
    QStringList appended;
    for (qsizetype i = 4; i < lines.size(); ++i) {
        if (!lines[i].isEmpty()) appended.append(QString::fromUtf8(lines[i].left(lines[i].indexOf('='))));
    }
    QStringList expected;
    for (Setting s : writeBackOrder()) {
        if (s != Setting::NR_WAIT) expected.append(nameOf(s));
    }
    EXPECT_EQ(appended, expected);
    EXPECT_EQ(store.readText(QStringLiteral("FP")), QStringLiteral("%1,%2").arg(window.x()).arg(window.y()));
}

TEST_F(MainWindowTest, AForwardedLineIsShownAndAnEmptyOneChangesNothing) {
    MainWindow window(identity, settings, store);
    auto* label = window.findChild<QLabel*>(QStringLiteral("LabelForwarded"));
    ASSERT_NE(label, nullptr);
    window.onForwardedLine(QStringLiteral("/RS?/home/a b/x.mid"));
    EXPECT_EQ(label->text(), QStringLiteral("/RS?/home/a b/x.mid"));
    window.onForwardedLine(QString());
    EXPECT_EQ(label->text(), QStringLiteral("/RS?/home/a b/x.mid"));
}

TEST(NoticeRelayTest, RelaysPassBothParametersOnUnderTheirOwnMessage) {
    NoticeRelay sub0(QStringLiteral("TTAVIK_SONDEX_SUB0"), msg::MusicNotice);
    NoticeRelay sub1(QStringLiteral("TTAVIK_SONDEX_SUB1"), msg::CdNotice);
    QSignalSpy music(&sub0, &NoticeRelay::forwarded);
    QSignalSpy cd(&sub1, &NoticeRelay::forwarded);
    sub0.deviceNotice(1, 3);
    sub1.deviceNotice(4, 2);
    ASSERT_EQ(music.size(), 1);
    ASSERT_EQ(cd.size(), 1);
    EXPECT_EQ(music[0], QVariantList({1034, qint64(1), qint64(3)}));
    EXPECT_EQ(cd[0], QVariantList({1035, qint64(4), qint64(2)}));
}

TEST(WorkAreaTest, APositionFarOutsideEndsFullyVisibleAtTheBottomRight) {
    const QRect work(0, 0, 1024, 740);
    EXPECT_EQ(clampIntoWorkArea({5000, 5000}, {300, 200}, work), QPoint(724, 540));
    EXPECT_EQ(clampIntoWorkArea({-50, -50}, {300, 200}, work), QPoint(0, 0));
    EXPECT_EQ(clampIntoWorkArea({10, 20}, {300, 200}, work), QPoint(10, 20));
    // A window larger than the work area keeps its top left corner inside.
    EXPECT_EQ(clampIntoWorkArea({100, 100}, {2000, 1000}, QRect(10, 20, 1000, 700)), QPoint(10, 20));
}

}  // namespace
}  // namespace sondex
