// The timer panel in the whole window: the start-up shows the stored group,
// clicks fill the editors, the pop-ups write into the pressed label, a rename
// takes the entries along, and the close saves the list and the choice.
#include "app/MainWindow.h"
#include "core/Identity.h"
#include "core/Settings.h"
#include "platform/IniSettingsStore.h"
#include "support/FileBytes.h"
#include "support/WindowRig.h"
#include "support/QuietSettings.h"
#include "ui/Commands.h"
#include "ui/controls/SpinButton.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace sondex {
namespace {

template <typename T>
T* child(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QString text(QWidget& window, const char* label) { return child<QLabel>(window, label)->text(); }

void clickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

TEST(TimerPanelWindowTest, ThePanelEditsTheStoredGroupAndTheCloseSavesIt) {
    QTemporaryDir dir;
    const Identity identity = Identity::forThisUser();
    IniSettingsStore store(dir.filePath(QStringLiteral("SONDEX.ini")));
    test::writeQuietSettings(store, dir.path() + u'/');
    const QString group = identity.ProgramFolder + QStringLiteral("DAY000.day");
    ASSERT_TRUE(test::writeBytes(group, "07:00-07:30 C 22M08\r\n7:0\r\n"));
    Settings settings(identity.ProgramFolder);
    test::WindowRig rig;
    MainWindow window(identity, settings, store, rig.services());
    window.MKBoxDlg1().setTimerCount(1);
    window.show();
    QSignalSpy ready(&window, &MainWindow::startupFinished);
    ASSERT_TRUE(ready.wait(5000));

    window.commands()["MO_JK"]->trigger();
    window.commands()["K1"]->trigger();
    auto* list = child<QListWidget>(window, "ListBox_JK");
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(text(window, "Label_JK_KOSU"), QStringLiteral("2ｺ"));
    EXPECT_EQ(child<QComboBox>(window, "ComboBox_TM_SUB")->currentText(), QStringLiteral("DAY000"));
    EXPECT_TRUE(child<QPushButton>(window, "Btn_DAY_HENSHU")->isVisible());

    clickRow(list, 0);
    EXPECT_EQ(text(window, "Label_JK_SH") + text(window, "Label_JK_EM"), QStringLiteral("0730"));
    EXPECT_EQ(text(window, "Label_Rate"), QStringLiteral("22M08"));
    EXPECT_EQ(child<QWidget>(window, "RadioGroup_JKFrame")->findChildren<QRadioButton*>()[2]->isChecked(), true);
    clickRow(list, 1);  // a line too short for its fields changes nothing but the action
    EXPECT_EQ(text(window, "Label_Rate"), QStringLiteral("22M08"));

    auto* endHour = child<QLabel>(window, "Label_JK_EH");
    QTest::mousePress(endHour, Qt::LeftButton);
    auto* hours = child<QMenu>(window, "PopupMenu_JK_H");
    ASSERT_TRUE(hours->isVisible());
    window.commands()["TM_J4"]->trigger();
    hours->close();
    EXPECT_EQ(endHour->text(), QStringLiteral("18"));
    child<SpinButton>(window, "SpinButton_JK_SM")->upButton()->click();
    child<QWidget>(window, "RadioGroup_JKFrame")->findChildren<QRadioButton*>()[1]->click();
    child<QPushButton>(window, "Button_JK_TMSET")->click();
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("07:01-18:30 E 22M08"));
    EXPECT_EQ(text(window, "Label_JK_KOSU"), QStringLiteral("3ｺ"));

    child<QPushButton>(window, "Btn_DAY_HENSHU")->click();
    auto* name = child<QLineEdit>(window, "Edit_DAY");
    ASSERT_TRUE(name->isVisible());
    EXPECT_EQ(name->text(), QStringLiteral("DAY000"));
    name->setText(QStringLiteral("朝"));
    child<QPushButton>(window, "Btn_DAY_HENKO")->click();
    EXPECT_FALSE(name->isVisible());
    EXPECT_EQ(child<QComboBox>(window, "ComboBox_TM_SUB")->currentText(), QStringLiteral("朝"));

    window.close();
    EXPECT_FALSE(QFile::exists(group));
    EXPECT_EQ(test::readBytes(identity.ProgramFolder + QStringLiteral("朝.day")),
              QByteArray("07:00-07:30 C 22M08\r\n07:01-18:30 E 22M08\r\n7:0\r\n"));
    EXPECT_EQ(store.readText(QStringLiteral("TDAY_S")), QStringLiteral("朝"));
    EXPECT_EQ(store.readText(QStringLiteral("JK")), QStringLiteral("停止中"));
}

}  // namespace
}  // namespace sondex
