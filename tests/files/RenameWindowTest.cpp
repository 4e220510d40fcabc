#include "files/RenameBatch.h"
#include "files/TRENAMEBox.h"
#include "files/TReNameBoxDlg.h"
#include "support/DialogTestSupport.h"
#include "support/FileBytes.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QSet>
#include <QTemporaryDir>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace sondex {
namespace {

using Step = std::function<void(QWidget*)>;

// Acts on the modal windows as they come up, one step each.
void runSteps(QList<Step> steps) {
    if (steps.isEmpty()) return;
    const Step first = steps.takeFirst();
    test::onNextModal([first, steps](QWidget* top) {
        runSteps(steps);
        first(top);
    });
}

QLineEdit* field(QWidget* window, const char* name) {
    return test::child<QLineEdit>(window, name);
}

class Lines final : public RenameLines {
public:
    int count() const override { return static_cast<int>(paths.size()); }
    bool isSelected(int line) const override { return selected.contains(line); }
    QString path(int line) const override { return paths.value(line); }
    void setPath(int line, const QString& path) override { paths[line] = path; }
    QStringList paths;
    QSet<int> selected;
};

class RenameWindowTest : public ::testing::Test {
protected:
    RenameWindowTest() { host.main = &main; }

    QString path(const QString& name) const { return dir.path() + u'/' + name; }
    void make(const QString& name) const {
        ASSERT_TRUE(test::writeBytes(path(name), name.toUtf8()));
    }

    // Notes a box's text and answers it.
    Step answer(const char* button) {
        return [this, button](QWidget* box) {
            shown.append(test::child<QTextEdit>(box, "MemoMsg")->toPlainText());
            test::click(box, button);
        };
    }
    // Notes the name the rename window proposes, then acts.
    Step window(std::function<void(QWidget*)> act) {
        return [this, act](QWidget* w) {
            EXPECT_EQ(w->objectName(), QStringLiteral("TRENAMEBox"));
            proposed.append(field(w, "EditNewName")->text());
            act(w);
        };
    }
    int batch() {
        RenameBatchHooks hooks;
        hooks.processEvents = [] { QCoreApplication::processEvents(); };
        hooks.closing = [] { return false; };
        hooks.beep = [this] { ++beeps; };
        hooks.repaint = [] {};
        return renameSelected(lines, dialog, messages, true, hooks);
    }

    QWidget main;
    test::FakeHost host;
    TReNameBoxDlg dialog{host};
    TMKBoxDlg messages{host};
    QTemporaryDir dir;
    Lines lines;
    QStringList shown;
    QStringList proposed;
    int beeps = 0;
};

TEST_F(RenameWindowTest, TheNumberedNameMovesOnOnlyAfterARename) {
    make(QStringLiteral("a.WAV"));
    make(QStringLiteral("b.WAV"));
    dialog.setAutoRename0(true);
    dialog.setAutoName(QStringLiteral("rec"));
    dialog.setAutoNo(7);
    runSteps({window([](QWidget* w) { test::click(w, "Button1"); })});
    EXPECT_EQ(dialog.Execute(path(QStringLiteral("a.WAV"))), 1);
    EXPECT_EQ(dialog.newName(), path(QStringLiteral("rec007.wav")));
    runSteps({window([](QWidget* w) { test::click(w, "Button2"); })});
    EXPECT_EQ(dialog.Execute(path(QStringLiteral("b.WAV"))), 2);
    runSteps({window([](QWidget* w) { test::click(w, "Button4"); })});
    EXPECT_EQ(dialog.Execute(path(QStringLiteral("b.WAV"))), 3);
    EXPECT_EQ(proposed, QStringList({QStringLiteral("rec007.wav"), QStringLiteral("rec008.wav"),
                                     QStringLiteral("rec008.wav")}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              QStringList({QStringLiteral("b.WAV"), QStringLiteral("rec007.wav")}));
}

// Bad digits and numbers are told and mended; a name that is taken keeps the
// window open with the same-name notice.
TEST_F(RenameWindowTest, TheWindowTellsWhatItCannotUse) {
    make(QStringLiteral("a.WAV"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    RenameBoxSettings numbered;
    numbered.autoRename0 = true;
    numbered.autoName = QStringLiteral("rec");
    numbered.autoNo = 7;
    TRENAMEBox box(host, path(QStringLiteral("a.WAV")), QString(), numbered, true, nullptr);
    box.show();
    QLineEdit* digits = field(&box, "Edit_KETA");
    QLineEdit* name = field(&box, "EditNewName");

    digits->setText(QStringLiteral("x"));
    runSteps({answer("Btn_OK")});
    box.Btn_Auto_NameClick();
    EXPECT_EQ(digits->text(), QStringLiteral("1"));
    EXPECT_EQ(name->text(), QStringLiteral("rec7.wav"));
    digits->setText(QStringLiteral("12"));
    box.Btn_Auto_NameClick();
    EXPECT_EQ(name->text(), QStringLiteral("rec000000007.wav"));
    EXPECT_EQ(digits->text(), QStringLiteral("9"));
    runSteps({answer("Btn_OK")});
    field(&box, "Edit_Auto_No")->setText(QStringLiteral("-3"));
    EXPECT_EQ(name->text(), QStringLiteral("rec000000007.wav"));

    name->setText(QStringLiteral("folder"));
    runSteps({answer("Btn_OK")});
    box.Button1Click();
    name->clear();
    runSteps({answer("Btn_OK")});
    box.Button1Click();
    EXPECT_EQ(shown,
              QStringList(
                  {QStringLiteral("x\n桁数が不正です・・・\n強制的に１桁に変更します☆☆☆"),
                   QStringLiteral(
                       "-3\nAUTO_Noが不正です・・・\nAUTO_Noには９桁以内の値を設定して下さい☆☆☆"),
                   QStringLiteral(
                       "リネームエラー：\n同名ファイル、又は、同名フォルダーが存在します・・・\n") +
                       path(QStringLiteral("folder")),
                   QStringLiteral("新しいファイル名を設定して下さい。")}));
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("a.WAV"))));
}

TEST_F(RenameWindowTest, TheExtensionModeProposesTheNewExtensionForFilesThatPassTheFilter) {
    RenameBoxSettings extension;
    extension.autoRename0 = extension.autoRename1 = true;
    extension.newExtension = QStringLiteral("mp3");
    const struct {
        const char *filter, *file, *proposal;
    } cases[] = {
        {"", "song.old.wav", "song.mp3"}, {"WAV", "x.mid", "x.mid"}, {"WAV", "y.wav", "y.mp3"}};
    for (const auto& c : cases) {
        extension.oldExtension = QString::fromUtf8(c.filter);
        TRENAMEBox box(host, path(QString::fromUtf8(c.file)), QString(), extension, true, nullptr);
        EXPECT_EQ(field(&box, "EditNewName")->text(), QString::fromUtf8(c.proposal)) << c.file;
    }
}

TEST_F(RenameWindowTest, StopOnTheSecondSelectedFileRenamesOnlyTheFirst) {
    for (const char* name : {"one.wav", "skipped.wav", "two.wav", "three.wav"}) {
        make(QString::fromUtf8(name));
        lines.paths.append(path(QString::fromUtf8(name)));
    }
    lines.selected = {0, 2, 3};
    runSteps({window([](QWidget* w) {
                  field(w, "EditNewName")->setText(QStringLiteral("新.wav"));
                  test::click(w, "Button1");
              }),
              window([](QWidget* w) { test::click(w, "Button4"); }), answer("Btn_OK"),
              answer("Btn_OK")});
    EXPECT_EQ(batch(), 1);
    EXPECT_EQ(proposed, QStringList({QStringLiteral("one.wav"), QStringLiteral("two.wav")}));
    EXPECT_EQ(shown,
              QStringList({QStringLiteral("中断ボタンが押されました。\nリネームを強制終了します。"),
                           QStringLiteral("1個のファイルをリネームしました。")}));
    EXPECT_EQ(lines.paths,
              QStringList({path(QStringLiteral("新.wav")), path(QStringLiteral("skipped.wav")),
                           path(QStringLiteral("two.wav")), path(QStringLiteral("three.wav"))}));
}

// Twelve recordings to a new extension, the sixth name taken by a folder:
// that file keeps its name after the notice, the others are renamed and
// their lines follow.
TEST_F(RenameWindowTest, ABatchOfTwelveWithAClashInTheMiddle) {
    const auto name = [](int i, const char* extension) {
        return QStringLiteral("take%1.%2")
            .arg(i, 2, 10, QLatin1Char('0'))
            .arg(QLatin1String(extension));
    };
    QList<Step> steps;
    for (int i = 1; i <= 12; ++i) {
        make(name(i, "wav"));
        lines.paths.append(path(name(i, "wav")));
        lines.selected.insert(i - 1);
        steps.append(window([](QWidget* w) { test::click(w, "Button1"); }));
        if (i == 6) steps << answer("Btn_OK") << [](QWidget* w) { test::click(w, "Button2"); };
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(name(6, "mp3")));
    steps << answer("Btn_OK");
    dialog.setAutoRename0(true);
    dialog.setAutoRename1(true);
    dialog.setNewKakuchoshi(QStringLiteral("mp3"));
    runSteps(steps);

    EXPECT_EQ(batch(), 11);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(
        shown[0],
        QStringLiteral("リネームエラー：\n同名ファイル、又は、同名フォルダーが存在します・・・\n") +
            path(name(6, "mp3")));
    EXPECT_EQ(shown[1], QStringLiteral("11個のファイルをリネームしました。"));
    for (int i = 1; i <= 12; ++i) {
        const QString now = path(name(i, i == 6 ? "wav" : "mp3"));
        EXPECT_EQ(lines.paths[i - 1], now);
        EXPECT_EQ(test::readBytes(now), name(i, "wav").toUtf8());
    }
}

TEST_F(RenameWindowTest, AMissingFileOffersToStop) {
    make(QStringLiteral("later.wav"));
    lines.paths = {path(QStringLiteral("gone.wav")), path(QStringLiteral("later.wav"))};
    lines.selected = {0, 1};
    runSteps({answer("Btn_Abort"), answer("Btn_OK")});
    EXPECT_EQ(batch(), 0);
    EXPECT_EQ(shown, QStringList({QStringLiteral("このファイルは、存在しません・・・\n") +
                                      path(QStringLiteral("gone.wav")),
                                  QStringLiteral("0個のファイルをリネームしました。")}));
    EXPECT_EQ(beeps, 1);
}

}  // namespace
}  // namespace sondex
