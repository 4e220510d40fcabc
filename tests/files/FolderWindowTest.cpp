#include "ui/dialogs/TMKBoxDlg.h"
#include "files/TDIRSETForm.h"
#include "files/FolderPaths.h"
#include "support/DialogTestSupport.h"

#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace sondex {
namespace {

QString memoOf(QWidget* box) { return test::child<QTextEdit>(box, "MemoMsg")->toPlainText(); }

TEST(FolderPathsTest, FullPathsEndInASlashAndSplitIntoEveryFolderOnTheWay) {
    EXPECT_EQ(folders::cumulativeFolders(QStringLiteral("/a/b c/曲/")),
              QStringList({QStringLiteral("/"), QStringLiteral("/a"), QStringLiteral("/a/b c"), QStringLiteral("/a/b c/曲")}));
    EXPECT_EQ(folders::cumulativeFolders(QStringLiteral("/")), QStringList({QStringLiteral("/")}));
    EXPECT_EQ(folders::fullFolderPath(QStringLiteral("~/x//y/")), QDir::homePath() + QStringLiteral("/x/y/"));
    // Relative folders start at home, not at whatever folder is current.
    QDir::setCurrent(QDir::tempPath());
    EXPECT_EQ(folders::fullFolderPath(QStringLiteral("rel/../d")), QDir::homePath() + QStringLiteral("/d/"));
    EXPECT_EQ(folders::defaultFolder(QStringLiteral("TEMPALL")), QDir::homePath() + QStringLiteral("/TAVIKT32/TEMPALL"));
}

class FolderWindowTest : public ::testing::Test {
protected:
    FolderWindowTest() { host.main = &main; }

    std::unique_ptr<TDIRSETForm> form(const QString& folder) {
        auto f = std::make_unique<TDIRSETForm>(host, QStringLiteral("録音ファイル登録先"), QStringLiteral("TEMPALL"),
                                               folder, true, nullptr);
        f->show();
        return f;
    }

    QWidget main;
    test::FakeHost host;
    QStringList shown;
};

TEST_F(FolderWindowTest, RegisteringAMissingFolderAsksOnceAndCreatesEveryLevel) {
    const QString target = QDir::homePath() + QStringLiteral("/a/b");
    QDir(target).removeRecursively();
    QDir(QDir::homePath() + QStringLiteral("/a")).removeRecursively();
    auto f = form(QStringLiteral("@@@@@\\"));
    f->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("~/a/b"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("録音ファイル登録先フォルダーの設定変更"));

    test::onNextModal([&](QWidget* question) {
        shown.append(memoOf(question));
        test::onNextModal([&](QWidget* notice) {
            shown.append(memoOf(notice));
            test::click(notice, "Btn_OK");
        });
        test::click(question, "Btn_Yes");
    });
    f->Button4Click();

    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], QDir::homePath() + QStringLiteral("/a/b/\nフォルダーを作成します"));
    EXPECT_EQ(shown[1], QStringLiteral("[ ") + target + QStringLiteral("/ ]\nフォルダーを登録しました"));
    EXPECT_TRUE(QDir(target).exists());
    EXPECT_EQ(f->workingFolder(), target + u'/');
    EXPECT_EQ(f->result(), QDialog::Accepted);
}

TEST_F(FolderWindowTest, DecliningTheCreationChangesNothingAndAnExistingFolderAsksNothing) {
    auto f = form(QStringLiteral("@@@@@\\"));
    f->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("~/never/made"));
    test::onNextModal([](QWidget* question) { test::click(question, "Btn_No"); });
    f->Button4Click();
    EXPECT_FALSE(QDir(QDir::homePath() + QStringLiteral("/never")).exists());
    EXPECT_EQ(f->workingFolder(), QString());

    QTemporaryDir existing;
    f->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(existing.path());
    test::onNextModal([&](QWidget* notice) {
        shown.append(memoOf(notice));
        test::click(notice, "Btn_OK");
    });
    f->Button4Click();
    EXPECT_EQ(shown, QStringList({QStringLiteral("[ ") + existing.path() + QStringLiteral("/ ]\nフォルダーを登録しました")}));
    EXPECT_EQ(f->workingFolder(), existing.path() + u'/');
}

TEST_F(FolderWindowTest, WithoutAFolderGivingUpIsRefusedAndTheRootIsNoFolder) {
    auto f = form(QStringLiteral("@@@@@\\"));
    f->messages().setTimerCount(1);
    const auto collect = [this](QWidget* box) {
        shown.append(memoOf(box));
        test::click(box, "Btn_OK");
    };
    test::onNextModal([&](QWidget* box) {
        test::onNextModal(collect);
        collect(box);
    });
    f->Button3Click();
    EXPECT_EQ(shown, QStringList({QStringLiteral("変更を中止します"),
                                  QStringLiteral("データを登録しないと終了出来ません\n初期値を登録して下さい☆☆☆")}));
    EXPECT_TRUE(f->isVisible());

    for (const auto& [typed, said] : {std::pair{"/", "[ / ]\nデータが不正です"}, std::pair{"  ", "フォルダーを設定して下さい。"}}) {
        shown.clear();
        f->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QString::fromUtf8(typed));
        test::onNextModal(collect);
        f->Button4Click();
        EXPECT_EQ(shown, QStringList{QString::fromUtf8(said)});
    }
    f->Button1Click();
    EXPECT_EQ(f->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), folders::defaultFolder(QStringLiteral("TEMPALL")));
}

}  // namespace
}  // namespace sondex
