#include "TmpfsMount.h"
#include "platform/AppPaths.h"
#include "platform/DesktopEntries.h"
#include "platform/IniSettingsStore.h"
#include "platform/UninstallRecord.h"
#include "shell/ProgramShortcuts.h"
#include "shell/SetupWindow.h"
#include "support/PrivateHome.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace sondex {
namespace {

class ScriptedPrompts final : public SetupPrompts {
public:
    void notice(const QString& text) override { texts.append(text); }
    bool ask(const QString& text) override {
        texts.append(text);
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    void setTitle(const QString& caption) override { title = caption; }
    QStringList texts;
    QList<bool> answers;
    QString title;
};

bool writeFile(const QString& path, const QByteArray& bytes = "x") {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A home of its own for each test, in use from the start.
struct AppliedHome : test::PrivateHome {
    AppliedHome() { applyToThisProcess(); }
};

// A private home with a "built" program to install: the program file and its help page.
class SetupWindowTest : public ::testing::Test {
protected:
    SetupWindowTest() : identity(Identity::forThisUser()), store(paths::settingsFile()) {
        const QString build = home.root() + QStringLiteral("/build");
        writeFile(build + QStringLiteral("/sondex"), "#!/bin/sh\n");
        QFile::setPermissions(build + QStringLiteral("/sondex"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        writeFile(build + QStringLiteral("/SONDEX.html"), "<html></html>");
        QDir().mkpath(home.home() + QStringLiteral("/Desktop"));
    }

    SetupPlace place(QStringList arguments = {}) {
        SetupPlace p = SetupPlace::forThisProcess(identity, arguments);
        p.executable = home.root() + QStringLiteral("/build/sondex");
        p.companions = {home.root() + QStringLiteral("/build/SONDEX.html")};
        p.packaged = false;
        p.startDetached = [this](const QString& program, const QStringList& args) {
            started.append(program + u' ' + args.join(u' '));
            return true;
        };
        p.chooseFolder = nullptr;
        return p;
    }

    template <typename T>
    static T* child(QWidget& window, const char* name) {
        return window.findChild<T*>(QString::fromLatin1(name));
    }

    // Runs a removal-mode window until it closes.
    void runRemoval(RunMode mode, const SetupPlace& where) {
        SetupWindow window(identity, mode, store, prompts, where);
        QSignalSpy finished(&window, &SetupWindow::finished);
        ASSERT_TRUE(finished.wait(5000));
    }

    QString entryName() const { return identity.AppTitle + QStringLiteral(".desktop"); }

    AppliedHome home;
    Identity identity;
    IniSettingsStore store;
    ScriptedPrompts prompts;
    QStringList started;
};

TEST_F(SetupWindowTest, InstallCopiesTheProgramAndRemovalTakesAwayOnlyWhatSetupWrote) {
    const QString folder = home.home() + QStringLiteral("/my $apps/TAVIKP32/SONDEX");
    SetupWindow window(identity, RunMode::Normal, store, prompts, place());
    EXPECT_EQ(prompts.title, QStringLiteral("SONDEX何でもWAV録音 V2．2 登録"));
    EXPECT_EQ(child<QComboBox>(window, "ComboBox1")->currentText(), QStringLiteral("TAVIK SOFT32"));
    child<QLineEdit>(window, "Edit1")->setText(folder);
    child<QCheckBox>(window, "CheckBoxST")->setChecked(true);
    child<QPushButton>(window, "Button3")->click();

    EXPECT_EQ(
        prompts.texts,
        QStringList(
            {folder + QStringLiteral("\nフォルダーを作成します"),
             QStringLiteral(
                 "登録完了です。\n\n[ TAVIK SOFT32 ]\nグループに登録しました☆☆\nお疲れ様☆☆")}));
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/sondex")).isExecutable());
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/SONDEX.html")));
    EXPECT_EQ(store.readTexts(
                  {QStringLiteral("Version"), QStringLiteral("EXEPATH"), QStringLiteral("Group")}),
              QStringList({QStringLiteral("22"), folder, QStringLiteral("TAVIK SOFT32")}));
    const QString menuEntry = paths::applicationsFolder() + entryName();
    const QString autostart = paths::autostartFolder() + entryName();
    EXPECT_TRUE(
        readFile(menuEntry).contains(QStringLiteral("Exec=\"") + home.home() +
                                     QStringLiteral("/my \\\\$apps/TAVIKP32/SONDEX/sondex\"\n")));
    EXPECT_EQ(readFile(autostart), readFile(menuEntry));
    // The entries name the icon, which the user's theme now holds.
    EXPECT_TRUE(readFile(menuEntry).contains(QStringLiteral("\nIcon=jp.tavik.Sondex\n")));
    for (const QString& icon : iconFiles())
        EXPECT_TRUE(QFileInfo(icon).isFile()) << icon.toStdString();
    EXPECT_TRUE(
        entries::menuGroups(paths::mergedMenusFolder()).contains(QStringLiteral("TAVIK SOFT32")));
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) {
        for (const QString& file :
             QStringList{menuEntry, paths::desktopDirectoriesFolder() +
                                        QStringLiteral("tavik-TAVIK SOFT32.directory")}) {
            QProcess run;
            run.start(validator, {file});
            ASSERT_TRUE(run.waitForFinished(10000));
            EXPECT_EQ(run.exitCode(), 0) << run.readAll().toStdString();
        }
    }

    // The user's own files: one in the install folder, one in the data folder.
    writeFile(folder + QStringLiteral("/my notes.txt"));
    writeFile(identity.ProgramFolder + QStringLiteral("SONDEXM0.LIS"));
    writeFile(identity.ProgramFolder + QStringLiteral("Day000.DAY"));
    writeFile(identity.ProgramFolder + QStringLiteral("mine.wav"));
    prompts.texts.clear();
    runRemoval(RunMode::Uninstall, place({QStringLiteral("/uninstall")}));
    EXPECT_EQ(prompts.title, QStringLiteral("SONDEX何でもWAV録音 V2．2 削除"));
    EXPECT_EQ(
        prompts.texts.first(),
        QStringLiteral(
            "TAVIKSOFT SONDEX何でもWAV録音 V2.2\nを、パソコンから削除してよろしいですか？？？"));
    EXPECT_FALSE(QFileInfo::exists(menuEntry));
    EXPECT_FALSE(QFileInfo::exists(autostart));
    for (const QString& icon : iconFiles())
        EXPECT_FALSE(QFileInfo::exists(icon)) << icon.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/SONDEX.html")));
    EXPECT_EQ(QDir(identity.ProgramFolder).entryList(QDir::Files),
              QStringList({QStringLiteral("mine.wav")}));
    EXPECT_FALSE(QFileInfo::exists(paths::settingsFile()));
    const SetupPlace copyPlace = place({QStringLiteral("/DeleteFile")});
    EXPECT_EQ(started, QStringList({copyPlace.uninstallerCopy + QStringLiteral(" /DeleteFile")}));
    EXPECT_TRUE(QFileInfo(copyPlace.uninstallerCopy).isExecutable());

    prompts.texts.clear();
    runRemoval(RunMode::UninstallCopy, copyPlace);
    EXPECT_EQ(prompts.texts, QStringList({QStringLiteral("削除が完了しました☆☆☆\nお疲れ様☆☆☆")}));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/sondex")));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/my notes.txt")));
    EXPECT_FALSE(QFileInfo::exists(copyPlace.uninstallerCopy));
    EXPECT_FALSE(QFileInfo::exists(copyPlace.handOverPath));
}

// Also when the first removal could not start the uninstaller copy: the next one still knows.
TEST_F(SetupWindowTest, FoldersSetupCreatedGoWithTheProgramAndFoldersThatWereThereStay) {
    QDir().mkpath(home.home() + QStringLiteral("/apps"));
    const QString folder = home.home() + QStringLiteral("/apps/TAVIKP32/SONDEX");
    {
        SetupWindow window(identity, RunMode::Normal, store, prompts, place());
        child<QLineEdit>(window, "Edit1")->setText(folder);
        window.Button3Click();
    }
    SetupPlace cannotStart = place();
    cannotStart.startDetached = [](const QString&, const QStringList&) { return false; };
    runRemoval(RunMode::Uninstall, cannotStart);
    EXPECT_EQ(prompts.texts.last(), QStringLiteral("1削除エラー：削除ソフトの起動に失敗しました"));
    EXPECT_FALSE(QFileInfo::exists(cannotStart.handOverPath));
    runRemoval(RunMode::Uninstall, place());
    runRemoval(RunMode::UninstallCopy, place({QStringLiteral("/DeleteFile")}));
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_FALSE(QFileInfo::exists(home.home() + QStringLiteral("/apps/TAVIKP32")));
    EXPECT_TRUE(QFileInfo::exists(home.home() + QStringLiteral("/apps")));
    EXPECT_EQ(prompts.texts.last(), QStringLiteral("削除が完了しました☆☆☆\nお疲れ様☆☆☆"));
}

TEST_F(SetupWindowTest, BadInstallInputIsRefusedWithItsMessageAndWritesNoVersion) {
    const QString readOnly = home.root() + QStringLiteral("/ro");
    QDir().mkpath(readOnly);
    mci::test::TmpfsMount mount(readOnly, 1 << 20, true);
    struct Case {
        QString group;
        QString folder;
        QString message;
    };
    const QList<Case> cases{
        {QString(), QStringLiteral("~/x"), QStringLiteral("グループ名を設定して下さい。")},
        {QStringLiteral("TAVIK SOFT32"), QStringLiteral(" "),
         QStringLiteral("フォルダーを設定して下さい。")},
        {QStringLiteral("a/b"), QStringLiteral("~/x"), QStringLiteral("[ a/b ]\nデータが不正です")},
        {QStringLiteral("a\tb"), QStringLiteral("~/x"),
         QStringLiteral("[ a\tb ]\nデータが不正です")},
        {QStringLiteral("TAVIK SOFT32"), QStringLiteral("apps"),
         QStringLiteral("[ apps ]\nデータが不正です")},
        {QStringLiteral("TAVIK SOFT32"), readOnly + QStringLiteral("/SONDEX"),
         QStringLiteral("[ ") + readOnly +
             QStringLiteral("/SONDEX ]\nフォルダーの作成に失敗しました・・・")},
    };
    for (const Case& c : cases) {
        if (c.folder.startsWith(readOnly) && !mount.isMounted()) continue;
        ScriptedPrompts shown;
        SetupWindow window(identity, RunMode::Normal, store, shown, place());
        QSignalSpy finished(&window, &SetupWindow::finished);
        child<QComboBox>(window, "ComboBox1")->setCurrentText(c.group);
        child<QLineEdit>(window, "Edit1")->setText(c.folder);
        window.Button3Click();
        EXPECT_EQ(shown.texts.last(), c.message) << c.group.toStdString() << c.folder.toStdString();
        EXPECT_EQ(finished.size(), 0);
        EXPECT_TRUE(child<QPushButton>(window, "Button3")->isVisibleTo(&window));
    }
    if (mount.isMounted()) {
        // An existing folder that cannot be written: the copy fails.
        ScriptedPrompts shown;
        SetupWindow window(identity, RunMode::Normal, store, shown, place());
        child<QLineEdit>(window, "Edit1")->setText(readOnly);
        window.Button3Click();
        EXPECT_TRUE(
            shown.texts.last().endsWith(QStringLiteral("\nファイルのコピーに失敗しました・・・")));
        EXPECT_TRUE(shown.texts.last().startsWith(home.root() + QStringLiteral("/build/sondex\n")));
    }
    EXPECT_EQ(store.readText(QStringLiteral("Version")), QString());
}

TEST_F(SetupWindowTest, RemovalWithoutATrustedRecordLeavesProgramFilesAndForeignEntries) {
    // A user's own entry under the program's name, and one of the program's.
    const QString foreign = paths::applicationsFolder() + entryName();
    writeFile(foreign, "[Desktop Entry]\nType=Application\nName=mine\nExec=mine\n");
    ProgramShortcuts shortcuts(identity.AppTitle, identity.ProductKey,
                               QStringLiteral("/usr/bin/sondex"), place().recordPath);
    for (const QByteArray& record :
         {QByteArray(), QByteArray("# SONDEX uninstall record 1\nfile\t../../etc/passwd\n")}) {
        ASSERT_EQ(shortcuts.addToStartup(), QString());
        QFile::remove(place().recordPath);
        if (!record.isEmpty()) writeFile(place().recordPath, record);
        prompts.texts.clear();
        runRemoval(RunMode::Uninstall, place());
        EXPECT_EQ(prompts.texts.value(1),
                  QStringLiteral("削除記録が見つからないか、壊れています。\n"
                                 "アイコンとデータだけを削除します。"
                                 "プログラムのファイルは残ります。"));
        EXPECT_EQ(prompts.texts.last(), QStringLiteral("削除が完了しました☆☆☆\nお疲れ様☆☆☆"));
        EXPECT_FALSE(shortcuts.atStartup());
        EXPECT_TRUE(QFileInfo::exists(foreign));
        EXPECT_TRUE(QFileInfo::exists(home.root() + QStringLiteral("/build/sondex")));
        EXPECT_TRUE(started.isEmpty());
    }
}

// The package installs data/'s menu entry; setup must look for that very file.
TEST_F(SetupWindowTest, ThePackagesMenuEntryIsFoundInTheSystemDataFoldersOnly) {
    const QString entry = QFileInfo(QStringLiteral(SONDEX_DESKTOP_FILE)).fileName();
    const QString system = home.root() + QStringLiteral("/usr/share");
    const QByteArray saved = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS", (home.root() + QStringLiteral("/none:") + system).toLocal8Bit());
    EXPECT_EQ(packageMenuEntry(), QString());
    // Setup's own entry in the user's folder is not the package's.
    writeFile(paths::applicationsFolder() + entry);
    EXPECT_EQ(packageMenuEntry(), QString());
    QDir().mkpath(system + QStringLiteral("/applications"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(SONDEX_DESKTOP_FILE),
                            system + QStringLiteral("/applications/") + entry));
    EXPECT_EQ(packageMenuEntry(), entry);
    qputenv("XDG_DATA_DIRS", saved);
}

TEST_F(SetupWindowTest, APackagedProgramGetsOnlyTheUsersEntriesAndKeepsItsFiles) {
    SetupPlace packaged = place();
    packaged.packaged = true;
    packaged.packageEntry = QStringLiteral("jp.tavik.Sondex.desktop");
    const QString menu = paths::mergedMenusFolder() + QStringLiteral("tavik-TAVIK SOFT32.menu");
    {
        SetupWindow window(identity, RunMode::Normal, store, prompts, packaged);
        EXPECT_FALSE(child<QLineEdit>(window, "Edit1")->isEnabled());
        child<QCheckBox>(window, "CheckBoxST")->setChecked(true);
        window.Button3Click();
    }
    EXPECT_EQ(store.readText(QStringLiteral("EXEPATH")), home.root() + QStringLiteral("/build"));
    EXPECT_FALSE(QFileInfo::exists(paths::applicationsFolder() + entryName()));
    EXPECT_TRUE(readFile(menu).contains(QStringLiteral("<Filename>jp.tavik.Sondex.desktop</Filename>")));
    EXPECT_TRUE(QFileInfo::exists(paths::autostartFolder() + entryName()));

    prompts.texts.clear();
    runRemoval(RunMode::Uninstall, packaged);
    EXPECT_TRUE(prompts.texts.contains(
        QStringLiteral("プログラム本体は、パッケージマネージャーで削除して下さい。")));
    EXPECT_FALSE(QFileInfo::exists(paths::autostartFolder() + entryName()));
    EXPECT_FALSE(QFileInfo::exists(menu));
    EXPECT_TRUE(QFileInfo::exists(home.root() + QStringLiteral("/build/SONDEX.html")));
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(SetupWindowTest, RemovalModesThatStopEarlyTouchNothing) {
    store.writeText(QStringLiteral("Version"), QStringLiteral("22"));
    struct Case {
        RunMode mode;
        QStringList arguments;
        QList<bool> answers;
        QString message;
    };
    for (const Case& c :
         {Case{RunMode::UninstallRefused,
               {},
               {},
               QStringLiteral("削除エラー：ソフトが起動中です。\n終了しないと削除出来ません。")},
          Case{RunMode::Uninstall, {}, {false}, QStringLiteral("削除を中止しました。")},
          Case{RunMode::UninstallCopy,
               {},
               {},
               QStringLiteral("削除エラー：パラメーターが不正です・・・\n[TAVIK "
                              "SOFT32]専用の削除ソフトです。")},
          // Started rightly but with nothing handed over.
          Case{RunMode::UninstallCopy,
               {QStringLiteral("/DeleteFile")},
               {},
               QStringLiteral("削除エラー：パラメーターが不正です・・・\n[TAVIK "
                              "SOFT32]専用の削除ソフトです。")}}) {
        prompts.texts.clear();
        prompts.answers = c.answers;
        runRemoval(c.mode, place(c.arguments));
        EXPECT_EQ(prompts.texts.last(), c.message);
    }
    EXPECT_EQ(prompts.title, QStringLiteral("UNINSTALL_TAVIK000"));
    EXPECT_EQ(store.readText(QStringLiteral("Version")), QStringLiteral("22"));
}

TEST_F(SetupWindowTest, DesktopAndStartupEntriesAnswerAsTheMenuCommandsSay) {
    ProgramShortcuts shortcuts(identity.AppTitle, identity.ProductKey,
                               QStringLiteral("/opt/a b/100%/sondex"), place().recordPath);
    ASSERT_EQ(shortcuts.addToStartup(), QString());
    ASSERT_EQ(shortcuts.addToStartup(), QString());  // an entry already there is renewed
    EXPECT_TRUE(readFile(paths::autostartFolder() + entryName())
                    .contains(QStringLiteral("Exec=\"/opt/a b/100%%/sondex\"\n")));
    EXPECT_EQ(shortcuts.addToDesktop(), QString());
    EXPECT_EQ(shortcuts.addToDesktop(),
              QStringLiteral("デスクトップには、既に登録されています☆☆☆"));
    UninstallRecord record;
    ASSERT_EQ(UninstallRecord::read(place().recordPath, record), UninstallRecord::State::Read);
    EXPECT_EQ(record.entries, QStringList({paths::autostartFolder() + entryName(),
                                           paths::desktopFolder() + entryName()}));
    shortcuts.removeFromDesktop();
    shortcuts.removeFromStartup();
    EXPECT_FALSE(shortcuts.onDesktop() || shortcuts.atStartup());

    // A desktop set to the home folder is no desktop.
    writeFile(home.configHome() + QStringLiteral("/user-dirs.dirs"),
              "XDG_DESKTOP_DIR=\"$HOME/\"\n");
    EXPECT_EQ(shortcuts.addToDesktop(),
              QStringLiteral("ｱｲｺﾝ:デスクトップフォルダーが不明ですので アイコン登録出来ません"));
    writeFile(home.configHome() + QStringLiteral("/user-dirs.dirs"),
              "XDG_DESKTOP_DIR=\"$HOME/デスク\"\n");
    QDir().mkpath(home.home() + QStringLiteral("/デスク"));
    EXPECT_EQ(paths::desktopFolder(), home.home() + QStringLiteral("/デスク/"));
}

TEST_F(SetupWindowTest, GroupsOfferedAreTheUsersSubmenusSortedWithTheProgramsOwnLast) {
    writeFile(paths::mergedMenusFolder() + QStringLiteral("user.menu"),
              "<Menu><Name>Applications</Name><Menu><Name>Tools</Name><Menu><Name>Deep</Name></"
              "Menu></Menu>"
              "<Menu><Name>TAVIK SOFT</Name></Menu><Menu><Name>Games</Name></Menu></Menu>");
    writeFile(paths::mergedMenusFolder() + QStringLiteral("broken.menu"),
              "<Menu><Name>Applications</Name><Menu><Na");
    store.writeText(QStringLiteral("Group"), QStringLiteral("Games"));
    SetupWindow window(identity, RunMode::Normal, store, prompts, place());
    auto* combo = child<QComboBox>(window, "ComboBox1");
    QStringList offered;
    for (int i = 0; i < combo->count(); ++i) offered.append(combo->itemText(i));
    EXPECT_EQ(offered, QStringList({QStringLiteral("Games"), QStringLiteral("Tools"),
                                    QStringLiteral("TAVIK SOFT"), QStringLiteral("TAVIK SOFT32")}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("Games"));

    // Moving to another group takes the program out of the one before, not the user's menu.
    window.Button3Click();
    combo->setCurrentText(QStringLiteral("Tools"));
    window.Button3Click();
    EXPECT_EQ(entries::menuGroups(paths::mergedMenusFolder()),
              QStringList({QStringLiteral("Tools"), QStringLiteral("TAVIK SOFT"),
                           QStringLiteral("Games")}));
    EXPECT_FALSE(QFileInfo::exists(paths::desktopDirectoriesFolder() +
                                   QStringLiteral("tavik-Games.directory")));
}

}  // namespace
}  // namespace sondex
