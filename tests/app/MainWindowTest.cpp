#include "cd/CdDeviceAccess.h"
#include "cd/CdDriveSelection.h"
#include "cd/CdLists.h"
#include "cd/CdSequencer.h"
#include "ui/Commands.h"
#include "core/Identity.h"
#include "app/MainWindow.h"
#include "core/Settings.h"
#include "ui/dialogs/TMKBoxDlg.h"
#include "recording/ManualRecording.h"
#include "ui/controls/ListResizeBar.h"
#include "platform/AppPaths.h"
#include "platform/IniSettingsStore.h"
#include "support/DialogTestSupport.h"
#include "support/FakeTray.h"
#include "support/FileBytes.h"
#include "support/WindowRig.h"
#include "support/QuietSettings.h"
#include "ui/controls/SpinButton.h"
#include "ui/tray/TTaskTray.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

namespace sondex {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : identity(Identity::forThisUser()),
          store(dir.filePath(QStringLiteral("SONDEX.ini"))),
          settings(identity.ProgramFolder) {
        QDir(dir.path()).mkpath(QStringLiteral("rec"));
        test::writeQuietSettings(store, dir.path() + QStringLiteral("/rec/"),
                                 {{QStringLiteral("Unknown"), QStringLiteral("kept")},
                                  {QStringLiteral("NR_WAIT"), QStringLiteral("500")}});
    }

    QByteArray fileBytes() const { return test::readBytes(store.path()); }

    // A window past its start-up, with boxes that time out at once.
    std::unique_ptr<MainWindow> readyWindow(const QStringList& arguments = {}, TrayBackend* tray = nullptr) {
        WindowServices services = rig.services();
        services.tray = tray;
        auto window = std::make_unique<MainWindow>(identity, settings, store, services, arguments);
        window->MKBoxDlg1().setTimerCount(1);
        window->show();
        QSignalSpy ready(window.get(), &MainWindow::startupFinished);
        EXPECT_TRUE(ready.wait(5000));
        return window;
    }

    template <typename T>
    static T* child(QWidget& window, const char* name) {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QTemporaryDir dir;
    Identity identity;
    IniSettingsStore store;
    Settings settings;
    test::WindowRig rig;
};

TEST_F(MainWindowTest, AClosingDuringStartUpWritesNothing) {
    const QByteArray before = fileBytes();
    MainWindow window(identity, settings, store, rig.services());
    EXPECT_TRUE(window.isStartingUp());
    EXPECT_TRUE(child<QWidget>(window, "PanelOPEN")->isVisibleTo(&window));
    EXPECT_FALSE(window.commands()["MStart0"]->isEnabled());
    window.close();
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(MainWindowTest, TheCloseWritesEveryValueBackAndKeepsTheRest) {
    auto window = readyWindow();
    EXPECT_FALSE(child<QWidget>(*window, "PanelOPEN")->isVisible());
    EXPECT_TRUE(window->commands()["MStart0"]->isEnabled());
    window->move(40, 50);
    window->close();

    const QList<QByteArray> lines = fileBytes().split('\n');
    ASSERT_GE(lines.size(), 3 + kSettingCount);
    EXPECT_EQ(lines[0], "[SONDEX]");
    EXPECT_EQ(lines[1], "Version=22");
    EXPECT_TRUE(lines[4].startsWith("TEMPALL="));
    EXPECT_EQ(lines[5], "Unknown=kept");
    EXPECT_EQ(lines[6], "NR_WAIT=180");  // updated where they stood
    EXPECT_EQ(store.readText(QStringLiteral("FP")), QStringLiteral("%1,%2").arg(window->x()).arg(window->y()));
}

TEST_F(MainWindowTest, MirroredCommandsAlwaysAgree) {
    auto window = readyWindow();
    Commands& c = window->commands();
    auto* repeat = child<QCheckBox>(*window, "CheckBox2");

    c["TR6"]->trigger();
    EXPECT_TRUE(repeat->isChecked());
    EXPECT_TRUE(c["MREPERTCD"]->isChecked());
    EXPECT_TRUE(settings.isOn(Setting::REPEAT));
    repeat->click();
    EXPECT_FALSE(c["TR6"]->isChecked());
    EXPECT_FALSE(c["MREPERTCD"]->isChecked());

    c["Late3"]->trigger();
    for (int i = 0; i < 9; ++i) {
        const QByteArray n = QByteArray::number(i);
        EXPECT_EQ(c[QByteArray("MLate" + n).constData()]->isChecked(), i == 3);
        EXPECT_EQ(c[QByteArray("Late" + n).constData()]->isChecked(), i == 3);
    }
    c["MLate3"]->trigger();  // choosing the checked rate again keeps it
    EXPECT_TRUE(c["Late3"]->isChecked());
    EXPECT_EQ(settings.number(Setting::rate2), 3);

    EXPECT_FALSE(c["PR_SHUDOREC_TM_END"]->isEnabled());  // only while the manual timer is on
    window->manualRecording().ShowManualTimer(60);
    EXPECT_EQ(c["MSHUDO"]->text(), QStringLiteral("手動録音タイマー 60秒"));
    EXPECT_EQ(c["PR_SHUDO"]->text(), c["MSHUDO"]->text());
    c["PR_SHUDOREC_TM_END"]->trigger();
    EXPECT_TRUE(c["MO_SHUDOREC_TM_END"]->isChecked());
    child<QCheckBox>(*window, "CheckBox1")->click();
    EXPECT_TRUE(c["TRSAVE"]->isChecked());
}

TEST_F(MainWindowTest, AutomaticCdPlayAndAutomaticManualRecordingExcludeEachOther) {
    auto window = readyWindow();
    Commands& c = window->commands();
    c["Start1"]->trigger();
    EXPECT_TRUE(c["PST0"]->isChecked());
    c["MF_Start_REC"]->trigger();
    EXPECT_FALSE(c["Start1"]->isChecked());
    EXPECT_FALSE(c["PST0"]->isChecked());
    c["PST0"]->trigger();  // through the tray copy as well
    EXPECT_TRUE(c["Start1"]->isChecked());
    EXPECT_FALSE(c["MF_Start_REC"]->isChecked());
    EXPECT_TRUE(settings.isOn(Setting::START));
    EXPECT_FALSE(settings.isOn(Setting::Start_REC));
}

TEST_F(MainWindowTest, TheHeightToggleReturnsAndK1OpensTheFullHeight) {
    auto window = readyWindow();
    QWidget* client = window->client();
    const int full = client->height();
    EXPECT_EQ(full, window->fullClientHeight());
    EXPECT_FALSE(window->isCompact());

    window->Button7Click();
    EXPECT_EQ(client->height(), window->compactClientHeight());
    EXPECT_TRUE(window->isCompact());
    window->Button7Click();
    EXPECT_EQ(client->height(), full);

    window->Button7Click();
    window->commands()["K1"]->trigger();
    EXPECT_FALSE(window->isCompact());
    EXPECT_TRUE(child<QWidget>(*window, "Panel2")->isVisible());
    EXPECT_FALSE(child<QCheckBox>(*window, "CheckBox1")->isEnabled());

    child<QPushButton>(*window, "Button30")->click();
    EXPECT_FALSE(child<QWidget>(*window, "Panel2")->isVisible());
    EXPECT_TRUE(child<QCheckBox>(*window, "CheckBox1")->isEnabled());
}

TEST_F(MainWindowTest, SwitchingAreasWhileRecordingIsOnIsRefused) {
    auto window = readyWindow();
    child<QCheckBox>(*window, "CheckBox1")->click();
    window->K1Click();  // the switch error times out by itself
    EXPECT_FALSE(child<QWidget>(*window, "Panel2")->isVisible());

    child<QCheckBox>(*window, "CheckBox1")->click();
    window->K1Click();
    child<QCheckBox>(*window, "MIDSAVE")->click();
    window->Button23Click();
    EXPECT_FALSE(child<QWidget>(*window, "Panel6")->isVisible());
    child<QCheckBox>(*window, "MIDSAVE")->click();
    window->Button23Click();
    EXPECT_TRUE(child<QWidget>(*window, "Panel6")->isVisible());
    EXPECT_FALSE(child<QCheckBox>(*window, "MIDSAVE")->isEnabled());
    child<QPushButton>(*window, "Button22")->click();
    EXPECT_FALSE(child<QWidget>(*window, "Panel6")->isVisible());
    EXPECT_TRUE(child<QCheckBox>(*window, "MIDSAVE")->isEnabled());
}

TEST_F(MainWindowTest, DraggingTheListBarFarDownLeavesAThirtyPixelList) {
    auto window = readyWindow();
    window->K1Click();
    auto* list = child<QWidget>(*window, "PanelFN");
    auto* bar = child<ListResizeBar>(*window, "PanelFNVU");
    const int bottom = list->geometry().bottom();
    bar->moveTargetTop(1000);
    EXPECT_EQ(list->height(), 30);
    EXPECT_EQ(list->geometry().bottom(), bottom);
    bar->moveTargetTop(-1000);
    EXPECT_EQ(list->y(), ListResizeBar::kMinTop);
    EXPECT_EQ(list->geometry().bottom(), bottom);
}

TEST_F(MainWindowTest, ColoursFollowTheSettingsAndTheArmedExit) {
    auto window = readyWindow();
    auto* list = child<QListWidget>(*window, "ListBox1");
    const QColor standard = QApplication::palette().color(QPalette::Base);
    EXPECT_EQ(list->palette().color(QPalette::Base), standard);

    window->commands()["MF_AUTO_OFF"]->setChecked(true);
    EXPECT_EQ(window->backgroundColour(), QColor(255, 0, 0));
    window->commands()["BackColor"]->trigger();  // standard colours off: lists take the window's
    EXPECT_EQ(list->palette().color(QPalette::Base), QColor(255, 0, 0));

    auto* stop = child<QLabel>(*window, "Label1");
    settings.setNumber(Setting::Track_END_PLUS, 3);
    EXPECT_EQ(stop->palette().color(QPalette::Window), QColor(Qt::blue));
    EXPECT_EQ(stop->palette().color(QPalette::WindowText), QColor(Qt::white));
    settings.setNumber(Setting::INTORO, 30);
    auto* time = child<QLabel>(*window, "Label5");
    EXPECT_EQ(stop->palette().color(QPalette::Window), time->palette().color(QPalette::WindowText));
}

TEST_F(MainWindowTest, MenusPrepareThemselvesWhenTheyOpen) {
    auto window = readyWindow();
    auto* tray = child<QMenu>(*window, "PopupMenu1");
    emit tray->aboutToShow();
    EXPECT_EQ(window->commands()["P5"]->text(), QStringLiteral("使い方　SONDEX.EXE V2.2"));
    store.writeText(QStringLiteral("Version"), QString());
    emit tray->aboutToShow();
    EXPECT_EQ(window->commands()["P5"]->text(), QStringLiteral("使い方　SONDEX.EXE V?.?"));

    auto* start = child<QMenu>(*window, "MStart0");
    emit start->aboutToShow();
    EXPECT_FALSE(window->commands()["MS_REC_TXT"]->isEnabled());
    EXPECT_FALSE(window->commands()["MKIROKU"]->isEnabled());
    const QString log = identity.ProgramFolder + QStringLiteral("録音$$$$.TXT");
    ASSERT_TRUE(test::writeBytes(log));
    emit start->aboutToShow();
    EXPECT_TRUE(window->commands()["MS_REC_TXT"]->isEnabled());
    QFile::remove(log);

    auto* options = child<QMenu>(*window, "MOption0");
    emit options->aboutToShow();
    EXPECT_TRUE(window->commands()["MICON_SET"]->isVisible());
    EXPECT_FALSE(window->commands()["MICON_DEL"]->isVisible());
    // Registering at start-up offers the removal next, and the removal the registering again.
    window->commands()["MICON_SET"]->trigger();
    emit options->aboutToShow();
    EXPECT_TRUE(window->commands()["MICON_DEL"]->isVisible());
    window->commands()["MICON_DEL"]->trigger();
    emit options->aboutToShow();
    EXPECT_TRUE(window->commands()["MICON_SET"]->isVisible());
}

TEST_F(MainWindowTest, ClearingTheVersionOnTimeoutEmptiesIt) {
    auto window = readyWindow();
    window->MHELP_VERCUTClick();  // the question times out with はい
    EXPECT_EQ(store.readText(QStringLiteral("Version")), QString());
    EXPECT_EQ(store.readText(QStringLiteral("Unknown")), QStringLiteral("kept"));
}

TEST_F(MainWindowTest, TheCdVolumeRepairWritesItsReportAndBeepsWhenNoViewerOpensIt) {
    const QString units = paths::configFolder() + QStringLiteral("CDDRIVES.INI");
    ASSERT_TRUE(test::writeBytes(units, "[CDDRIVES]\nE=missing.cue\nx\n"));
    const auto removeUnits = qScopeGuard([&units] { QFile::remove(units); });
    rig.desktop.answer = false;
    auto window = readyWindow();
    window->menus().main.MO_CDVSET->trigger();  // each box times out

    const QString report = identity.ProgramFolder + QStringLiteral("CDVSET$$.TXT");
    const QString text = QString::fromUtf8(test::readBytes(report));
    EXPECT_TRUE(text.startsWith(identity.AppTitle + QStringLiteral("\r\n　CD_VolSetレポート作成日時：")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n0:ＣＤドライブユニット番号取得に失敗しました。\r\n"
                                             "E番のＣＤドライブ番号には、データが設定されていないので飛ばします。\r\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\nお疲れさま☆☆☆\r\n"))) << text.toStdString();
    EXPECT_EQ(rig.desktop.opened, QList<QUrl>{QUrl::fromLocalFile(report)});
    EXPECT_EQ(rig.desktop.beeps, 1);
}

TEST_F(MainWindowTest, APopupMenuStaysShutWhileAMessageIsOnScreen) {
    auto window = readyWindow();
    window->flags().messageBusy = true;
    auto* vol = child<QPushButton>(*window, "Button35");
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), vol->mapToGlobal(QPointF(5, 5)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(vol, &press);
    EXPECT_FALSE(child<QMenu>(*window, "PopupMenu_VOL")->isVisible());
    window->flags().messageBusy = false;
    QApplication::sendEvent(vol, &press);
    EXPECT_TRUE(child<QMenu>(*window, "PopupMenu_VOL")->isVisible());
    EXPECT_FALSE(window->flags().messageBusy);  // the menu's opening clears it
    child<QMenu>(*window, "PopupMenu_VOL")->close();
}

TEST_F(MainWindowTest, NumberCommandsStoreTheConfirmedValueAndRewriteTheirCaption) {
    store.writeText(QStringLiteral("INTORO"), QStringLiteral("30"));
    auto window = readyWindow();
    EXPECT_EQ(window->commands()["MINTORO"]->text(), QStringLiteral("イントロ再／録 30秒"));
    EXPECT_EQ(window->commands()["TMBuf"]->text(), QStringLiteral("録音bufferの設定 6秒"));

    // Buffer seconds spun down to 0 and confirmed: the question says 0 and 2 is stored.
    QString question;
    test::onNextModal([&](QWidget* dialog) {
        auto* spin = test::child<SpinButton>(dialog, "SpinButton1");
        for (int i = 0; i < 6; ++i) spin->downClick();
        test::onNextModal([&](QWidget* box) {
            question = test::child<QTextEdit>(box, "MemoMsg")->toPlainText();
            test::click(box, "Btn_Yes");
        });
        test::click(dialog, "Button1");
    });
    window->commands()["TMBuf"]->trigger();
    EXPECT_TRUE(question.contains(QStringLiteral("0秒に、設定します"))) << qPrintable(question);
    EXPECT_EQ(settings.number(Setting::BufCount), 2);
    EXPECT_EQ(window->commands()["TMBuf"]->text(), QStringLiteral("録音bufferの設定 2秒"));
}

TEST_F(MainWindowTest, RepeatsShowInYellowWhileOn) {
    store.writeText(QStringLiteral("REPEAT"), QStringLiteral("1"));
    auto window = readyWindow();
    auto* repeat = child<QCheckBox>(*window, "CheckBox2");
    EXPECT_EQ(repeat->palette().color(QPalette::Window), QColor(Qt::yellow));
    EXPECT_NE(child<QCheckBox>(*window, "MIDREP")->palette().color(QPalette::Window), QColor(Qt::yellow));
    window->commands()["TR6"]->trigger();
    EXPECT_FALSE(repeat->isChecked());
    EXPECT_NE(repeat->palette().color(QPalette::Window), QColor(Qt::yellow));
}

TEST_F(MainWindowTest, BigFontSwitchesBothMusicListsToTwelvePointAndBack) {
    store.writeText(QStringLiteral("BIGFONT"), QStringLiteral("1"));
    auto window = readyWindow();
    auto* panel = child<QWidget>(*window, "Panel4");
    for (const char* list : {"ListBox3", "ListBoxFNF"})
        EXPECT_EQ(child<QListWidget>(*window, list)->font().pointSize(), 12) << list;
    window->commands()["PBIGFONT"]->trigger();
    EXPECT_FALSE(settings.isOn(Setting::BIGFONT));
    for (const char* list : {"ListBox3", "ListBoxFNF"})
        EXPECT_EQ(child<QListWidget>(*window, list)->font(), panel->font()) << list;
}

TEST_F(MainWindowTest, ADashedTraySwitchAtStartUpSendsTheWindowToTheTray) {
    auto window = readyWindow({QStringLiteral("-t")});  // the dash and the slash are one to the switch parser
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized);
}

// The CD units come from a CDDRIVES.INI in this test program's own config folder.
class CdDrivesWindowTest : public MainWindowTest {
protected:
    ~CdDrivesWindowTest() override { QFile::remove(unitsFile); }

    void listUnits(const QByteArray& lines) { ASSERT_TRUE(test::writeBytes(unitsFile, "[CDDRIVES]\r\n" + lines)); }

    // Exactly the caption, with nothing the platform adds after it.
    static void expectTitle(MainWindow& window, const QString& caption) {
        EXPECT_EQ(window.windowTitle(), caption);
        EXPECT_EQ(window.windowHandle()->title(), caption);
        EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    }

    static QStringList items(QComboBox* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) texts.append(box->itemText(i));
        return texts;
    }

    const QString unitsFile = paths::configFolder() + QStringLiteral("CDDRIVES.INI");
};

TEST_F(CdDrivesWindowTest, TheMenuTheBoxAndTheCaptionFollowTheChosenUnit) {
    listUnits("E=/dev/sr0\r\nG=/dev/sr1\r\n");
    store.writeText(QStringLiteral("CDDRIVE"), QStringLiteral("Q"));  // a unit that is gone
    auto window = readyWindow();
    const CdMenuCommands& menu = window->menus().cd;
    auto* box = child<QComboBox>(*window, "ComboBox2");
    auto checked = [&menu] {
        QList<int> marks;
        for (int k = 0; k < 26; ++k) {
            if (menu.drives[static_cast<size_t>(k)]->isChecked()) marks.append(k);
        }
        return marks;
    };
    expectTitle(*window, QStringLiteral(" E:- SONDEX何でもWAV録音"));
    EXPECT_EQ(checked(), QList<int>{0});
    EXPECT_EQ(menu.drives[1]->text(), QStringLiteral(" G:"));
    EXPECT_TRUE(menu.drives[1]->isVisible());
    EXPECT_FALSE(menu.drives[2]->isVisible());
    EXPECT_EQ(items(box), (QStringList{QStringLiteral(" E:"), QStringLiteral(" G:")}));
    auto* driveList = child<QListWidget>(*window, "ListBoxSZ");
    EXPECT_FALSE(driveList->isVisible());
    EXPECT_EQ(driveList->item(driveList->count() - 1)->text(), QStringLiteral(" G:"));

    QSignalSpy chosen(&window->cdDrives(), &CdDriveSelection::unitChosen);
    menu.drives[1]->trigger();
    expectTitle(*window, QStringLiteral(" G:- SONDEX何でもWAV録音"));
    EXPECT_EQ(checked(), QList<int>{1});
    EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_EQ(window->cdAccess().cdElement(), QStringLiteral("!G:"));  // the disc checks open that unit
    menu.drives[1]->trigger();  // choosing the checked unit again keeps its mark
    EXPECT_EQ(checked(), QList<int>{1});

    box->activated(0);
    expectTitle(*window, QStringLiteral(" E:- SONDEX何でもWAV録音"));
    EXPECT_EQ(checked(), QList<int>{0});

    window->commands()["MO_CD_SELECT"]->trigger();
    EXPECT_TRUE(settings.isOn(Setting::W31CDSET));
    EXPECT_TRUE(window->commands()["MO_CD_SELECT"]->isChecked());
    ASSERT_EQ(chosen.size(), 4);
    EXPECT_EQ(chosen.last()[0].value<QChar>(), QChar(u'E'));
}

TEST_F(CdDrivesWindowTest, AnAddedDiscImageBecomesTheNextFreeUnitAndIsChosen) {
    listUnits("E=/dev/sr0\r\n");
    const QString image = dir.filePath(QStringLiteral("album.cue"));
    ASSERT_TRUE(test::writeBytes(image));
    auto window = readyWindow();
    test::onNextModal([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(files, nullptr);
        files->selectFile(image);
        static_cast<QDialog*>(files)->accept();  // the file dialog's own accept checks the choice
    });
    window->commands()["MO_CDIMAGE"]->trigger();
    expectTitle(*window, QStringLiteral(" D:- SONDEX何でもWAV録音"));
    EXPECT_EQ(items(child<QComboBox>(*window, "ComboBox2")), (QStringList{QStringLiteral(" D:"), QStringLiteral(" E:")}));
    EXPECT_TRUE(window->menus().cd.drives[0]->isChecked());
    EXPECT_EQ(window->menus().cd.drives[1]->text(), QStringLiteral(" E:"));
    EXPECT_TRUE(test::readBytes(unitsFile).contains(QString(QStringLiteral("D=") + image).toUtf8()));
}

TEST_F(CdDrivesWindowTest, WithoutUnitsTheCaptionIsExactlyTheNotice) {
    listUnits("");
    auto window = readyWindow();
    expectTitle(*window, QStringLiteral("CDﾄﾞﾗｲﾌﾞがありません"));
    EXPECT_EQ(child<QComboBox>(*window, "ComboBox2")->count(), 0);
    child<QComboBox>(*window, "ComboBox2")->activated(0);
    EXPECT_FALSE(window->menus().cd.drives[0]->isVisible());
    EXPECT_FALSE(window->menus().cd.drives[0]->isChecked());
}


TEST_F(CdDrivesWindowTest, ADroppedTrackFileBecomesThePlayListAndStartsCdPlay) {
    listUnits("E=/dev/sr0\r\n");
    auto window = readyWindow();
    bool played = false;
    QObject::connect(&window->cdSequencer(), &CdSequencer::changed, window.get(),
                     [&] { played = played || window->cdSequencer().isPlaying(); });
    window->onDroppedFiles({QStringLiteral("e:\\cd\\Track02.CDA"), QStringLiteral("E:Track.cda")});

    EXPECT_EQ(window->cdLists().search(), QStringList{QStringLiteral(" E:2")}) << "a name without a number adds nothing";
    EXPECT_EQ(child<QComboBox>(*window, "ComboBox1")->currentText(), QStringLiteral(" E:2"));
    EXPECT_EQ(child<QLabel>(*window, "Label7")->text(), QStringLiteral("ｻｰﾁﾘｽﾄ："));
    EXPECT_TRUE(played);
}


// What is painted, not just the palette: a check box's own background role would hide the colour.
TEST_F(MainWindowTest, RecordingAlongWithTheCdShowsInTheRecordingColour) {
    auto window = readyWindow();
    auto* box = child<QCheckBox>(*window, "CheckBox1");
    const auto corner = [box] {
        const QImage image = box->grab().toImage();
        return image.pixelColor(image.width() - 2, 2);
    };
    box->click();
    EXPECT_EQ(corner(), QColor(Qt::red));
    EXPECT_TRUE(window->cdSequencer().recordAlong());
    window->commands()["TRSAVE"]->trigger();  // the tray's copy
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(window->cdSequencer().recordAlong());
    EXPECT_NE(corner(), QColor(Qt::red));
}


// Files from a forwarded line join the music list; the name view shows the
// same entries, and deleting there deletes them.
TEST_F(MainWindowTest, TheMusicListAndItsNameViewChangeTogether) {
    QTemporaryDir music;
    QStringList files;
    for (const char* name : {"a.mid", "b b.wav", "曲.au"}) {
        files.append(music.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(test::writeBytes(files.constLast(), "x"));
    }
    auto window = readyWindow();
    window->onForwardedLine(files.join(u'?'));
    auto* paths = child<QListWidget>(*window, "ListBox3");
    auto* names = child<QListWidget>(*window, "ListBoxFNF");
    ASSERT_EQ(paths->count(), 3);
    EXPECT_EQ(paths->currentRow(), 0) << "the first added file is next";
    EXPECT_EQ(child<QLabel>(*window, "Label10")->text(), QStringLiteral("3ｺ"));

    window->commands()["MSSN"]->trigger();
    EXPECT_FALSE(names->isHidden());
    EXPECT_EQ(names->item(1)->text(), QStringLiteral("b b.wav"));
    names->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
    child<QPushButton>(*window, "Button32")->click();
    EXPECT_EQ(names->count(), 2);
    EXPECT_EQ(paths->item(1)->text(), files[2]);
    names->setCurrentRow(1);
    window->commands()["MSSN"]->trigger();
    EXPECT_TRUE(names->isHidden());
    EXPECT_EQ(paths->currentRow(), 1) << "the current entry stays current";
    EXPECT_EQ(child<QLabel>(*window, "Label10")->text(), QStringLiteral("2ｺ"));
}

// The renamed line changes in both views in place, so the rest of the
// selection is still there for the next file.
TEST_F(MainWindowTest, RenamingFromTheMusicListChangesTheRenamedLinesInPlace) {
    QTemporaryDir music;
    QStringList files;
    for (const char* name : {"a.wav", "b.wav", "c.wav"}) {
        files.append(music.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(test::writeBytes(files.constLast(), "x"));
    }
    // From the list file, as a forwarded line would start playing the files.
    ASSERT_TRUE(
        test::writeBytes(identity.ProgramFolder + identity.ProductKey + QStringLiteral("MI.LIS"),
                         files.join(QStringLiteral("\r\n")).toUtf8()));
    auto window = readyWindow();
    window->commands()["MSSN"]->trigger();
    auto* names = child<QListWidget>(*window, "ListBoxFNF");
    names->item(0)->setSelected(true);
    names->item(2)->setSelected(true);
    QStringList titles;
    test::onNextModal([&](QWidget* first) {
        titles.append(first->windowTitle());
        test::onNextModal([&](QWidget* second) {
            EXPECT_TRUE(names->item(2)->isSelected());
            test::onNextModal([&](QWidget* count) { test::click(count, "Btn_OK"); });
            test::click(second, "Button2");
        });
        test::child<QLineEdit>(first, "EditNewName")->setText(QStringLiteral("新.wav"));
        test::click(first, "Button1");
    });
    window->commands()["PRENAME"]->trigger();
    EXPECT_EQ(titles, QStringList{QStringLiteral("一括リネーム（選択のみ）")});
    EXPECT_EQ(names->item(0)->text(), QStringLiteral("新.wav"));
    EXPECT_EQ(child<QListWidget>(*window, "ListBox3")->item(0)->text(),
              music.filePath(QStringLiteral("新.wav")));
    EXPECT_TRUE(QFile::exists(music.filePath(QStringLiteral("新.wav"))));
    EXPECT_TRUE(QFile::exists(files[2]));
}

TEST_F(MainWindowTest, WithoutATrayTheWindowMinimisesAndComesBackOnAForwardedLine) {
    auto window = readyWindow();  // the offscreen desktop has no notification area
    auto* ButtonTRAY = child<QPushButton>(*window, "ButtonTRAY");
    test::BoxTextWatch boxes;
    ButtonTRAY->click();
    EXPECT_TRUE(window->isMinimized());
    window->onForwardedLine(QString());
    EXPECT_FALSE(window->isMinimized());
    ButtonTRAY->click();
    EXPECT_TRUE(window->isMinimized());
    EXPECT_TRUE(ButtonTRAY->isVisibleTo(window.get()));
    EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("タスクトレイが使えないため、最小化します・・・")});
}

TEST_F(MainWindowTest, InTheTrayTheIconOpensTheMenusUnlessABoxIsUpAndGoesAtTheClose) {
    test::FakeTray tray;
    auto window = readyWindow({}, &tray);
    child<QPushButton>(*window, "ButtonTRAY")->click();
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(tray.calls.size(), 1);
    EXPECT_EQ(tray.calls[0], QStringLiteral("add 1 ") + window->windowTitle());
    EXPECT_TRUE(window->TaskTray1().Icon().availableSizes().contains(QSize(22, 22)));  // the program's icon

    QMenu* drives = window->menus().cd.PopupMenu3;
    QMenu* main = window->menus().tray.PopupMenu1;
    window->flags().messageBusy = true;
    tray.send(1, TrayMouse::LeftDown);
    tray.send(1, TrayMouse::RightDown);
    EXPECT_FALSE(drives->isVisible() || main->isVisible());
    window->flags().messageBusy = false;
    tray.send(1, TrayMouse::LeftDown);
    EXPECT_TRUE(drives->isVisible());
    EXPECT_FALSE(window->flags().messageBusy);  // the menu's opening clears it
    drives->hide();
    tray.send(1, TrayMouse::RightDown);
    EXPECT_TRUE(main->isVisible());
    main->hide();

    window->menus().tray.TRIconOFF->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(child<QPushButton>(*window, "ButtonTRAY")->isVisible());
    EXPECT_EQ(tray.calls.last(), QStringLiteral("remove 1"));

    // Sent there again, the close takes the icon away.
    child<QPushButton>(*window, "ButtonTRAY")->click();
    window->close();
    EXPECT_FALSE(window->TaskTray1().isAdded());
    EXPECT_EQ(tray.calls.last(), QStringLiteral("remove 1"));
}

}  // namespace
}  // namespace sondex
