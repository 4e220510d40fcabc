// The recorder from a new user's first start to its close, and the end-of-run actions.
#include "ui/Commands.h"
#include "core/Identity.h"
#include "app/MainWindow.h"
#include "core/Settings.h"
#include "ui/dialogs/TMKBoxDlg.h"
#include "platform/IniSettingsStore.h"
#include "platform/ListFile.h"
#include "platform/mci/WavHeader.h"
#include "core/RecordingLog.h"
#include "shell/SetupWindow.h"
#include "support/DialogTestSupport.h"
#include "support/FileBytes.h"
#include "support/WindowRig.h"
#include "support/QuietSettings.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace sondex {
namespace {

QString memoOf(QWidget* box) { return test::child<QTextEdit>(box, "MemoMsg")->toPlainText(); }

class AcceptingPrompts final : public SetupPrompts {
public:
    void notice(const QString&) override {}
    bool ask(const QString&) override { return true; }
    void setTitle(const QString&) override {}
};

// A settings store whose writes fail, as on a full or read-only disk.
class FailingStore final : public SettingsStore {
public:
    explicit FailingStore(SettingsStore& reads) : reads_(reads) {}
    QStringList readTexts(const QStringList& names) const override { return reads_.readTexts(names); }
    bool writeTexts(const QList<NamedText>&) override { return false; }

private:
    SettingsStore& reads_;
};

class StartupCloseTest : public ::testing::Test {
protected:
    StartupCloseTest()
        : identity(Identity::forThisUser()),
          store(QDir::homePath() + QStringLiteral("/cfg/SONDEX.ini")),
          settings(identity.ProgramFolder) {
        QFile::remove(store.path());
        QDir(QDir::homePath() + QStringLiteral("/TAVIKT32")).removeRecursively();
    }

    void installed(const QString& recordings = QString()) {
        test::writeQuietSettings(store, recordings);
    }

    std::unique_ptr<MainWindow> start(SettingsStore& from) {
        auto window = std::make_unique<MainWindow>(identity, settings, from, rig.services());
        window->MKBoxDlg1().setTimerCount(1);
        window->MKBoxDlg1().setErTimerCount(1);
        window->show();
        return window;
    }

    static bool ready(MainWindow& window) {
        QSignalSpy spy(&window, &MainWindow::startupFinished);
        return !window.isStartingUp() || spy.wait(10000);
    }

    QTemporaryDir folder;
    Identity identity;
    IniSettingsStore store;
    Settings settings;
    test::WindowRig rig;
};

TEST_F(StartupCloseTest, ANewUsersFirstStartAsksForTheFolderOnceAndTheNextStartIsReadyAtOnce) {
    AcceptingPrompts prompts;
    SetupPlace place = SetupPlace::forThisProcess(identity, {});
    place.packaged = true;  // the test program is not copied
    SetupWindow setup(identity, RunMode::Normal, store, prompts, place);
    setup.Button3Click();
    ASSERT_EQ(store.readText(QStringLiteral("Version")), QStringLiteral("22"));

    QStringList seen;
    test::onNextModal([&](QWidget* firstRunNotice) {
        seen.append(memoOf(firstRunNotice).section(u'\n', 0, 0));
        test::onNextModal([&](QWidget* folderWindow) {
            seen.append(folderWindow->windowTitle());
            test::onNextModal([&](QWidget* question) {
                seen.append(memoOf(question).section(u'\n', 1));
                test::onNextModal([&](QWidget* registered) {
                    seen.append(memoOf(registered).section(u'\n', 1));
                    // A fresh user has the size report on: it follows the folder
                    // and the start-up; the clock advice and dialog come between.
                    test::onNextModal([&](QWidget* sizeReport) {
                        seen.append(memoOf(sizeReport).section(u'\n', 0, 0));
                        test::onNextModal([&](QWidget* clockAdvice) {
                            test::onNextModal([&](QWidget* clock) {
                                seen.append(clock->objectName());
                                test::onNextModal([&](QWidget* lastReport) {
                                    seen.append(memoOf(lastReport).section(u'\n', 0, 0));
                                    test::click(lastReport, "Btn_OK");
                                });
                                test::click(clock, "Btn_OK");
                            });
                            test::click(clockAdvice, "Btn_OK");
                        });
                        test::click(sizeReport, "Btn_OK");
                    });
                    test::click(registered, "Btn_OK");
                });
                test::click(question, "Btn_Yes");
            });
            test::click(folderWindow, "Button4");
        });
        test::click(firstRunNotice, "Btn_OK");
    });
    auto window = start(store);
    ASSERT_TRUE(ready(*window));
    EXPECT_EQ(seen, QStringList({QStringLiteral("これより、WAV録音ファイル登録先を選択して戴きます"),
                                 QStringLiteral("録音ファイル登録先フォルダーの設定変更"),
                                 QStringLiteral("フォルダーを作成します"), QStringLiteral("フォルダーを登録しました"),
                                 QStringLiteral("最大録音サイズ表示"), QStringLiteral("TJikanBox"),
                                 QStringLiteral("最大録音サイズ表示")}));
    const QString chosen = QDir::homePath() + QStringLiteral("/TAVIKT32/TEMPALL/");
    EXPECT_TRUE(QDir(chosen).exists());
    EXPECT_EQ(window->recordingFolder(), chosen);
    window->close();
    EXPECT_TRUE(window->isCloseDone());
    EXPECT_EQ(store.readText(QStringLiteral("TEMPALL")), chosen);
    EXPECT_EQ(store.readText(QStringLiteral("SetNowTime_Select")), QStringLiteral("1"));

    Settings again(identity.ProgramFolder);
    MainWindow next(identity, again, store, rig.services());
    EXPECT_FALSE(next.findChild<QTimer*>(QStringLiteral("Timer6"))->isActive());
    EXPECT_TRUE(next.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    test::onNextModal([](QWidget* clock) {
        test::onNextModal([](QWidget* sizeReport) { test::click(sizeReport, "Btn_OK"); });
        test::click(clock, "Btn_OK");
    });
    EXPECT_TRUE(ready(next));
    EXPECT_EQ(next.recordingFolder(), chosen);
}

TEST_F(StartupCloseTest, ACloseDuringTheFirstRunQuestionEndsTheProgramAndWritesNothing) {
    installed();
    const QByteArray before = test::readBytes(store.path());
    std::unique_ptr<MainWindow> window;
    test::onNextModal([&](QWidget*) {
        window->requestClose();  // as SIGTERM, SIGINT, SIGHUP and the close button do
    });
    window = start(store);
    QSignalSpy closed(window.get(), &MainWindow::closed);
    QSignalSpy finished(window.get(), &MainWindow::startupFinished);
    EXPECT_TRUE(closed.wait(10000));
    // Neither the folder window nor the deferred start-up may follow.
    EXPECT_FALSE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 1500));
    EXPECT_EQ(finished.size(), 0);
    EXPECT_EQ(test::readBytes(store.path()), before);
}

TEST_F(StartupCloseTest, ATakeLostInACrashIsOfferedAfterTheStartAndSavedOnlyOnYes) {
    const QString leftover = QDir(qEnvironmentVariable("TEMP")).filePath(QStringLiteral("~MCI00042.TMP"));
    QFile file(leftover);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(mci::canonicalWavHeader({8000, 1, 8}, 0) + QByteArray(8000, '\x80'));
    file.close();
    const auto remove = qScopeGuard([&] { QFile::remove(leftover); });
    installed(folder.path() + u'/');
    for (const bool yes : {false, true}) {
        QString question;
        test::onNextModal([&](QWidget* box) {
            question = memoOf(box);
            if (yes) test::click(box, "Btn_Yes");
        });
        auto window = start(store);
        ASSERT_TRUE(ready(*window));
        EXPECT_TRUE(question.contains(u"~MCI00042.TMP 0分01秒"));
        EXPECT_EQ(QFile::exists(leftover), !yes);
        EXPECT_EQ(QFile::exists(folder.filePath(QStringLiteral("wav0000.wav"))), yes);
        EXPECT_EQ(window->recordingLog().lines().size(), yes ? 1 : 0);
    }
}

TEST_F(StartupCloseTest, AStoredPositionFarOutsideLeavesTheWindowFullyVisibleBottomRight) {
    installed(folder.path());
    store.writeText(QStringLiteral("FP"), QStringLiteral("5000,5000"));
    auto window = start(store);
    const QRect work = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    EXPECT_TRUE(work.contains(frame));
    EXPECT_EQ(frame.right(), work.right());
    EXPECT_EQ(frame.bottom(), work.bottom());
}

TEST_F(StartupCloseTest, ASecondCloseWhileTheFirstIsSavingBeepsAndIsRefused) {
    installed(folder.path());
    auto window = start(store);
    ASSERT_TRUE(ready(*window));
    bool nestedAllowed = true;
    QObject::connect(&settings, &Settings::changed, window.get(), [&](Setting s) {
        if (s == Setting::FP) nestedAllowed = window->requestClose();
    });
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(nestedAllowed);
    EXPECT_EQ(rig.desktop.beeps, 1);
    EXPECT_TRUE(rig.channel.isClosed());
    EXPECT_EQ(rig.channel.SendRecWait(QStringLiteral("close tavikREC")), MciChannel::kChannelClosed);
}

TEST_F(StartupCloseTest, TheCloseSavesTheListsAndAFailedSaveStillEndsTheProgram) {
    installed(folder.path());
    FailingStore failing(store);
    const QString list = identity.ProgramFolder + QStringLiteral("SONDEXM0.LIS");
    ASSERT_TRUE(listfile::write(list, {QStringLiteral(" D:1"), QStringLiteral(" D:@")}));
    auto window = start(failing);
    ASSERT_TRUE(ready(*window));
    EXPECT_EQ(window->findChild<QListWidget*>(QStringLiteral("ListBox1"))->count(), 2);
    QFile::remove(list);  // the close writes the list the recorder holds
    QSignalSpy closed(window.get(), &MainWindow::closed);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(window->isCloseDone());
    EXPECT_TRUE(closed.wait(5000));
    EXPECT_EQ(listfile::read(list),
              QStringList({QStringLiteral(" D:1"), QStringLiteral(" D:@")}));
}

TEST_F(StartupCloseTest, ArmingThePowerOffArmsTheExitAndDisarmingTheExitDisarmsBoth) {
    installed(folder.path());
    auto window = start(store);
    ASSERT_TRUE(ready(*window));
    Commands& c = window->commands();
    const QColor normal = window->backgroundColour();
    c["MF_AUTO_OFF_WIN"]->trigger();
    EXPECT_TRUE(c["MF_AUTO_OFF_WIN"]->isChecked());
    EXPECT_TRUE(c["MF_AUTO_OFF"]->isChecked());
    c["MF_AUTO_OFF"]->trigger();
    EXPECT_FALSE(c["MF_AUTO_OFF"]->isChecked());
    EXPECT_FALSE(c["MF_AUTO_OFF_WIN"]->isChecked());
    EXPECT_EQ(window->backgroundColour(), normal);
    EXPECT_FALSE(window->CloseAfterRecording());
}

TEST_F(StartupCloseTest, WithBothArmedTheNoticeTimesOutIntoThePowerOffAndAbortCancelsIt) {
    for (const bool abort : {false, true}) {
        installed(folder.path());
        Settings fresh(identity.ProgramFolder);
        auto window = std::make_unique<MainWindow>(identity, fresh, store, rig.services());
        window->MKBoxDlg1().setErTimerCount(1);
        window->show();
        ASSERT_TRUE(ready(*window));
        window->commands()["MF_AUTO_OFF_WIN"]->trigger();
        QString notice;
        test::onNextModal([&](QWidget* box) {
            notice = memoOf(box);
            if (abort) test::click(box, "Btn_Abort");
        });
        QSignalSpy closed(window.get(), &MainWindow::closed);
        const int before = rig.powerOff.requests;
        EXPECT_TRUE(window->CloseAfterRecording());
        EXPECT_TRUE(window->isCloseDone());
        ASSERT_TRUE(closed.wait(10000));
        EXPECT_EQ(notice, QStringLiteral("SONDEXを終了しました。\nこれより、ＷＩＮを終了します。\nお疲れ様☆☆☆"));
        EXPECT_EQ(rig.powerOff.requests - before, abort ? 0 : 1);
        EXPECT_EQ(store.readText(QStringLiteral("REC_TXT")), QStringLiteral("1"));
    }
}

TEST_F(StartupCloseTest, APowerOffThatIsNotAllowedSaysSo) {
    installed(folder.path());
    auto window = start(store);
    ASSERT_TRUE(ready(*window));
    rig.powerOff.result = {false, true, 0};
    window->commands()["MF_AUTO_OFF_WIN"]->trigger();
    QString failure;
    test::onNextModal([&](QWidget*) {  // the power-off notice times out
        test::onNextModal([&](QWidget* box) { failure = memoOf(box); });
    });
    QSignalSpy closed(window.get(), &MainWindow::closed);
    window->CloseAfterRecording();
    ASSERT_TRUE(closed.wait(10000));
    EXPECT_EQ(failure, QStringLiteral("シャットダウン失敗\nシャットダウンの権限がありません"));
}

}  // namespace
}  // namespace sondex
