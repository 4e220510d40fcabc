// The recording menu's leftover commands as the window runs them: each
// variant looks in the folder its own variable names.
#include "app/MainWindow.h"
#include "core/Identity.h"
#include "core/Settings.h"
#include "platform/IniSettingsStore.h"
#include "support/DialogTestSupport.h"
#include "support/QuietSettings.h"
#include "support/WindowRig.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace sondex {
namespace {

QString memoOf(QWidget* box) {
    return test::child<QTextEdit>(box, "MemoMsg")->toPlainText();
}

TEST(LeftoverWindowTest, ShowAndDeleteTakeTheirVariablesFolderAndDeleteOnlyWhatIsConfirmed) {
    QTemporaryDir dir, tmp;
    for (const char* name : {"~MCI00001.TMP", "~MCI00002.TMP"})
        ASSERT_TRUE(QFile(tmp.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly));
    const QByteArray temp = qgetenv("TEMP"), tmpBefore = qgetenv("TMP");
    const auto restore = qScopeGuard([&] { qputenv("TEMP", temp), qputenv("TMP", tmpBefore); });
    qunsetenv("TEMP");
    qputenv("TMP", tmp.path().toUtf8());

    const Identity identity = Identity::forThisUser();
    IniSettingsStore store(dir.filePath(QStringLiteral("SONDEX.ini")));
    test::writeQuietSettings(store, dir.path() + u'/');
    Settings settings(identity.ProgramFolder);
    test::WindowRig rig;
    MainWindow window(identity, settings, store, rig.services());
    window.show();
    QSignalSpy ready(&window, &MainWindow::startupFinished);
    ASSERT_TRUE(ready.wait(10000));

    QStringList seen;
    const auto answer = [&](const char* button) {
        return [&seen, button](QWidget* box) {
            seen.append(memoOf(box));
            test::click(box, button);
        };
    };
    test::onNextModal(answer("Btn_OK"));
    window.menus().main.PTEMP->trigger();
    test::onNextModal(answer("Btn_OK"));
    window.menus().main.MR_TMP->trigger();
    ASSERT_EQ(seen.size(), 2);
    EXPECT_TRUE(seen[0].startsWith(u"環境変数TEMP=\n設定されていません・・・\n"))
        << seen[0].toStdString();
    EXPECT_TRUE(seen[1].startsWith(u"環境変数TMP=\n" + tmp.path())) << seen[1].toStdString();
    EXPECT_TRUE(seen[1].contains(u"録音一時ファイル名：2個\n~MCI0000"));

    // The first is confirmed, the second declined.
    test::onNextModal([&](QWidget* box) {
        test::onNextModal(answer("Btn_No"));
        answer("Btn_Yes")(box);
    });
    window.menus().main.MR_TMP_DEL->trigger();
    ASSERT_EQ(seen.size(), 4);
    EXPECT_TRUE(seen[2].endsWith(u"このファイルを削除してよろしいですか？？？"));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files).size(), 1);
    window.close();
}

}  // namespace
}  // namespace sondex
