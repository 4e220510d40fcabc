#include "ui/Notifier.h"
#include "platform/IniSettingsStore.h"
#include "shell/SetupWindow.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

class RecordingNotifier final : public Notifier {
public:
    void notice(QWidget*, const QString& caption, const QString& text) override {
        captions.append(caption);
        texts.append(text);
    }
    QStringList captions;
    QStringList texts;
};

class SetupWindowTest : public ::testing::Test {
protected:
    SetupWindowTest() : identity(Identity::forThisUser()), store(dir.filePath(QStringLiteral("SONDEX.ini"))) {}

    template <typename T>
    static T* child(QWidget& window, const char* name) {
        return window.findChild<T*>(QString::fromLatin1(name));
    }

    QTemporaryDir dir;
    Identity identity;
    IniSettingsStore store;
    RecordingNotifier notifier;
};

TEST_F(SetupWindowTest, InstallingWritesWhatTheRecorderNeedsAndKeepsOtherValues) {
    store.writeTexts({{QStringLiteral("Version"), QStringLiteral("21")},
                      {QStringLiteral("TEMPALL"), QStringLiteral("/rec/")}});
    SetupWindow window(identity, RunMode::Normal, store, notifier);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("SONDEX何でもWAV録音 V2．2 登録"));
    EXPECT_EQ(child<QLineEdit>(window, "Edit1")->text(), QDir::homePath() + QStringLiteral("/TAVIKP32/SONDEX"));
    QSignalSpy finished(&window, &SetupWindow::finished);

    child<QPushButton>(window, "Button3")->click();

    ASSERT_EQ(finished.size(), 1);
    EXPECT_TRUE(QDir(QDir::homePath() + QStringLiteral("/TAVIKP32/SONDEX")).exists());
    const QStringList values = store.readTexts({QStringLiteral("Version"), QStringLiteral("EXEPATH"),
                                                QStringLiteral("Group"), QStringLiteral("minihelp"),
                                                QStringLiteral("BackColor"), QStringLiteral("TAVIK_COLOR"),
                                                QStringLiteral("TEMPALL")});
    EXPECT_EQ(values, QStringList({QStringLiteral("22"), QDir::homePath() + QStringLiteral("/TAVIKP32/SONDEX"),
                                   QStringLiteral("TAVIK SOFT32"), QStringLiteral("1"), QStringLiteral("0"),
                                   QStringLiteral("0"), QStringLiteral("/rec/")}));
    EXPECT_EQ(notifier.texts.last(),
              QStringLiteral("登録完了です。\n\n[ TAVIK SOFT32 ]\nグループに登録しました☆☆\nお疲れ様☆☆"));
}

TEST_F(SetupWindowTest, EmptyFieldsAreRefusedAndGivingUpWritesNothing) {
    SetupWindow window(identity, RunMode::Normal, store, notifier);
    QSignalSpy finished(&window, &SetupWindow::finished);
    child<QComboBox>(window, "ComboBox1")->setCurrentText(QString());
    window.install();
    child<QComboBox>(window, "ComboBox1")->setCurrentText(QStringLiteral("TAVIK SOFT32"));
    child<QLineEdit>(window, "Edit1")->setText(QStringLiteral("  "));
    window.install();
    EXPECT_EQ(notifier.texts, QStringList({QStringLiteral("グループ名を設定して下さい。"),
                                           QStringLiteral("フォルダーを設定して下さい。")}));
    EXPECT_EQ(finished.size(), 0);

    child<QPushButton>(window, "Button2")->click();
    EXPECT_EQ(notifier.texts.last(), QStringLiteral("登録を中止します。"));
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(store.readText(QStringLiteral("Version")), QString());
}

TEST_F(SetupWindowTest, StoredFolderGroupAndColoursAreOffered) {
    store.writeTexts({{QStringLiteral("EXEPATH"), QStringLiteral("/opt/tavik")},
                      {QStringLiteral("Group"), QStringLiteral("音楽")},
                      {QStringLiteral("BackColor"), QStringLiteral("1")}});
    SetupWindow window(identity, RunMode::Normal, store, notifier);
    EXPECT_EQ(child<QLineEdit>(window, "Edit1")->text(), QStringLiteral("/opt/tavik"));
    EXPECT_EQ(child<QComboBox>(window, "ComboBox1")->currentText(), QStringLiteral("音楽"));
    child<QPushButton>(window, "Button4")->click();
    EXPECT_EQ(child<QLineEdit>(window, "Edit1")->text(), SetupWindow::defaultInstallFolder());
    child<QLineEdit>(window, "Edit1")->setText(dir.filePath(QStringLiteral("inst")));
    window.install();
    EXPECT_EQ(store.readText(QStringLiteral("BackColor")), QStringLiteral("1"));
    EXPECT_EQ(store.readText(QStringLiteral("Group")), QStringLiteral("音楽"));
}

TEST_F(SetupWindowTest, RemovalModesAnswerUnderTheRemovalCaptionAndClose) {
    struct Case {
        RunMode mode;
        QString text;
    };
    for (const Case& c : {Case{RunMode::UninstallRefused,
                               QStringLiteral("削除エラー：ソフトが起動中です。\n終了しないと削除出来ません。")},
                          Case{RunMode::Uninstall, QString()}, Case{RunMode::UninstallCopy, QString()}}) {
        RecordingNotifier shown;
        SetupWindow window(identity, c.mode, store, shown);
        QSignalSpy finished(&window, &SetupWindow::finished);
        EXPECT_FALSE(window.isVisible());
        ASSERT_TRUE(finished.wait(5000));
        ASSERT_EQ(shown.texts.size(), 1);
        EXPECT_EQ(shown.captions.first(), QStringLiteral("SONDEX何でもWAV録音 V2．2 削除"));
        if (!c.text.isEmpty()) {
            EXPECT_EQ(shown.texts.first(), c.text);
        }
    }
    EXPECT_EQ(store.readText(QStringLiteral("Version")), QString());
}

}  // namespace
}  // namespace sondex
