#include "platform/mci/TmpfsMount.h"
#include "files/BrowserTexts.h"
#include "files/TDIR2OPENDLG.h"
#include "files/TDIR2VIEWForm.h"
#include "files/TDIRSETForm.h"
#include "files/TDIRVIEWForm.h"
#include "platform/FolderListing.h"
#include "support/DialogTestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sondex {
namespace {

using namespace browsing;

void makeFile(const QByteArray& path, qint64 size = 0) {
    QFile file(QString::fromUtf8(path));  // only for UTF-8 names
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.constData();
    file.write(QByteArray(size, 'x'));
}

bool exists(const QByteArray& path) {
    return ::access(path.constData(), F_OK) == 0;
}

QStringList rowTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts.append(list->item(i)->text().trimmed());
    return texts;
}

TEST(BrowserTextsTest, MasksFiltersAndColumnTexts) {
    const struct {
        const char* name;
        const char* masks;
        bool matches;
    } masks[] = {
        {"take.WAV", "*.wav", true},   {"README", "*.*", true},     {"a.mid", "*.wav; *.mid", true},
        {"a.mid.bak", "*.mid", false}, {"x1.wav", "x?.wav", true},  {"x12.wav", "x?.wav", false},
        {"[1].wav", "[1].wav", true},  {"1.wav", "[1].wav", false}, {"any", "", true}};
    for (const auto& m : masks)
        EXPECT_EQ(matchesMasks(QString::fromUtf8(m.name), QString::fromUtf8(m.masks)), m.matches)
            << m.name << " " << m.masks;

    const QList<FilterChoice> withoutAll =
        parseFilter(QStringLiteral("WAV|*.wav|MIDI|*.mid;*.rmi|odd"));
    ASSERT_EQ(withoutAll.size(), 3);
    EXPECT_EQ(withoutAll[1].shown(), QStringLiteral("MIDI (*.mid;*.rmi)"));
    EXPECT_EQ(withoutAll[2].shown(), QStringLiteral("ALL files (*.*)"));
    EXPECT_EQ(parseFilter(QStringLiteral("全部|*.*")).size(), 1);

    EXPECT_EQ(sizeText(5), QStringLiteral("       5"));
    EXPECT_EQ(sizeText(1234567), QStringLiteral("1,234,567"));
    EXPECT_EQ(dateText(QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9))),
              QStringLiteral("26/12/07 14:05:09 月"));
    EXPECT_EQ(kindText(QStringLiteral("take.wav")), QStringLiteral("WAV ファイル"));
    EXPECT_EQ(kindText(QStringLiteral(".hidden")), QStringLiteral("ファイル"));

    const QString exactly38 = QStringLiteral("/") + QString(37, u'a');
    EXPECT_EQ(promptFolder(exactly38), exactly38);
    EXPECT_EQ(promptFolder(exactly38 + u'b'), QStringLiteral("...") + QString(34, u'a') + u'b');
}

TEST(BrowserTextsTest, TheStartFolderIsTheNearestExistingParent) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("a"));
    EXPECT_EQ(startFolder(dir.filePath(QStringLiteral("a/b/c")), QStringLiteral("/fallback")),
              dir.filePath(QStringLiteral("a")));
    EXPECT_EQ(startFolder(dir.filePath(QStringLiteral("a")) + u'/', QStringLiteral("/fallback")),
              dir.filePath(QStringLiteral("a")));
    EXPECT_EQ(startFolder(QStringLiteral("  "), QStringLiteral("/fallback")),
              QStringLiteral("/fallback"));
}

class BrowserWindowTest : public ::testing::Test {
protected:
    BrowserWindowTest() {
        host.main = &main;
        root = QFile::encodeName(QFileInfo(dir.path()).canonicalFilePath());
    }

    QByteArray at(const char* name) const { return listing::joinPath(root, name); }

    // Answers the next message box with a button and notes its text.
    void answer(const char* button) {
        test::onNextModal([this, button](QWidget* box) {
            shown.append(test::child<QTextEdit>(box, "MemoMsg")->toPlainText());
            test::click(box, button);
        });
    }

    QList<DiskVolume> rootOnly() const {
        return {{QStringLiteral("/"), QByteArray(), VolumeKind::Fixed, QString()}};
    }

    QWidget main;
    test::FakeHost host;
    QTemporaryDir dir;
    QByteArray root;
    QStringList shown;
};

TEST_F(BrowserWindowTest, TheFolderBrowserCountsMatchingFilesAndRecoversFromAFolderThatWentAway) {
    for (const char* name : {"a.wav", "b.WAV", "c.mid"}) makeFile(at(name));
    for (const char* name : {"sub1", "sub2"}) ASSERT_TRUE(listing::makeFolder(at(name)));
    TDIRVIEWForm form(host, QString(), QString::fromUtf8(root), true, rootOnly(), nullptr);
    form.show();
    auto* label1 = test::child<QLabel>(&form, "Label1");
    auto* label19 = test::child<QLabel>(&form, "Label19");
    auto* listBox1 = test::child<QListWidget>(&form, "ListBox1");
    EXPECT_EQ(label1->text(), QStringLiteral("3ｺ"));
    EXPECT_EQ(label19->text(), QStringLiteral("2"));
    EXPECT_EQ(rowTexts(listBox1).mid(listBox1->count() - 2),
              QStringList({QStringLiteral("sub1"), QStringLiteral("sub2")}));
    form.setMask(QStringLiteral("*.wav"));
    EXPECT_EQ(rowTexts(test::child<QListWidget>(&form, "ListBox4")),
              QStringList({QStringLiteral("a.wav"), QStringLiteral("b.WAV")}));
    EXPECT_EQ(label1->text(), QStringLiteral("2ｺ"));

    // sub2 becomes a file after it was listed: opening it fails, and the list is read again from
    // its parent.
    ASSERT_TRUE(listing::removeFolder(at("sub2")));
    makeFile(at("sub2"));
    listBox1->setCurrentRow(listBox1->count() - 1);
    answer("Btn_OK");
    form.ListBox1Click();
    EXPECT_EQ(shown,
              QStringList{QStringLiteral("フォルダー・エラー発生\nエラーを回避してみます。")});
    EXPECT_EQ(test::child<QLabel>(&form, "Label2")->text(), QString::fromUtf8(root));
    EXPECT_EQ(label19->text(), QStringLiteral("1"));
}

TEST_F(BrowserWindowTest, AMountPointThatVanishesWhileShownIsADriveErrorBackOnAReadableDrive) {
    const QString point = QString::fromUtf8(at("m"));
    mci::test::TmpfsMount mount(point, 1 << 20);
    if (!mount.isMounted()) GTEST_SKIP() << "cannot mount: " << mount.failure().toStdString();
    ASSERT_TRUE(listing::makeFolder(at("m/sub")));
    TDIRVIEWForm form(host, QString(), point + QStringLiteral("/sub"), true,
                      {{QStringLiteral("/"), QByteArray(), VolumeKind::Fixed, QString()},
                       {point, "tmpfs", VolumeKind::Ram, QStringLiteral("TAKES")}},
                      nullptr);
    form.show();
    auto* drives = test::child<QComboBox>(&form, "ComboBox2");
    EXPECT_EQ(drives->currentText(), point + QStringLiteral(" [TAKES]"));

    ASSERT_EQ(::umount2(at("m").constData(), MNT_DETACH), 0);
    auto* listBox1 = test::child<QListWidget>(&form, "ListBox1");
    listBox1->setCurrentRow(0);
    answer("Btn_OK");
    form.ListBox1Click();
    EXPECT_EQ(shown, QStringList{QStringLiteral("ドライブ・エラー発生\n元のドライブに戻します")});
    EXPECT_EQ(drives->currentIndex(), 0);
    EXPECT_EQ(form.folder(), QStringLiteral("/"));
}

TEST_F(BrowserWindowTest, LinkLoopsOpenOneLevelAtATimeAndOddNamesKeepTheirBytes) {
    ASSERT_TRUE(listing::makeFolder(at("a")));
    ASSERT_EQ(::symlink("..", at("a/up").constData()), 0);
    ASSERT_EQ(::symlink("l2", at("a/l1").constData()), 0);
    ASSERT_EQ(::symlink("l1", at("a/l2").constData()), 0);
    const QByteArray newline = at("a/line\nbreak.wav");
    const QByteArray longest = at("a/") + QByteArray(251, 'n') + ".wav";
    const QByteArray notUtf8 = at("a/bad\xff\xfe");
    makeFile(newline);
    makeFile(longest);
    ASSERT_TRUE(listing::makeFolder(notUtf8));

    QHash<QByteArray, listing::FolderEntry> read;
    for (const listing::FolderEntry& e : listing::listFolder(at("a")).entries)
        read.insert(e.name, e);
    EXPECT_TRUE(read.value("up").isFolder);
    EXPECT_FALSE(read.value("l1").isFolder);
    EXPECT_TRUE(read.contains("line\nbreak.wav"));
    EXPECT_TRUE(read.contains(listing::lastName(longest)));
    EXPECT_EQ(read.value("bad\xff\xfe").shown, QStringLiteral("bad\uFFFD\uFFFD"));

    TDIR2VIEWForm form(host, QString(), QString(), QString::fromUtf8(at("a")),
                       QStringLiteral("ALL files|*.*"), true, rootOnly(), nullptr);
    form.show();
    EXPECT_EQ(test::child<QTreeWidget>(&form, "ListView1")->topLevelItemCount(),
              4);  // two takes, two links
    form.HeaderClick();
    auto* tree = test::child<QTreeWidget>(&form, "TreeView1");
    ASSERT_TRUE(tree->isVisibleTo(&form));
    QTreeWidgetItem* a = tree->currentItem();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(0), QStringLiteral("a"));
    QTreeWidgetItem* up = nullptr;
    for (int i = 0; i < a->childCount(); ++i) up = a->child(i)->text(0) == u"up" ? a->child(i) : up;
    ASSERT_NE(up, nullptr);
    up->setExpanded(true);
    EXPECT_GT(up->childCount(), 0);
    form.TreeView1Click(up);
    EXPECT_EQ(test::child<QLineEdit>(&form, "Edit_Folder")->text(), QString::fromUtf8(root));
    EXPECT_EQ(form.chosenFolder(), QString::fromUtf8(root));
    listing::removeFolder(notUtf8);  // QTemporaryDir cannot reach a name that is not UTF-8
}

TEST_F(BrowserWindowTest, NewAndDeletedFoldersWithTheirMessagesByTheirBytes) {
    const QByteArray notUtf8 = at("bad\xff");
    ASSERT_TRUE(listing::makeFolder(notUtf8));
    ASSERT_TRUE(listing::makeFolder(at("full")));
    makeFile(at("full/take.wav"));
    TDIR2VIEWForm form(host, QStringLiteral("設定"), QString(), QString::fromUtf8(root),
                       QStringLiteral("WAV|*.wav"), true, rootOnly(), nullptr);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("設定 フォルダーの参照 フォルダーの選択"));
    EXPECT_EQ(test::child<QComboBox>(&form, "ComboBox_KAKU")->count(), 2);

    QString prompt;
    const auto typeName = [&prompt](const QString& name, const std::function<void()>& then = {}) {
        test::onNextModal([name, &prompt, then](QWidget* box) {
            auto* ask = qobject_cast<QInputDialog*>(box);
            ASSERT_NE(ask, nullptr);
            prompt = ask->labelText();
            ask->setTextValue(name);
            if (then) then();
            ask->accept();
        });
    };
    typeName(QStringLiteral("新しい"));
    form.NFClick();
    EXPECT_EQ(prompt, QStringLiteral("新規作成フォルダー名を入力して下さい☆\n") +
                          promptFolder(QString::fromUtf8(root)));
    EXPECT_EQ(form.chosenFolder(), QString::fromUtf8(at("新しい")));
    EXPECT_TRUE(test::child<QPushButton>(&form, "Button_HF")->isEnabled());

    typeName(QStringLiteral("x/y"), [this] { answer("Btn_OK"); });
    form.NFClick();
    EXPECT_EQ(shown.takeLast(), QStringLiteral("フォルダー作成エラー"));

    // The folder with a name that is not UTF-8 is reached from the list and removed by its own
    // bytes.
    form.BFClick();
    auto* listBox1 = test::child<QListWidget>(&form, "ListBox1");
    const QList<QListWidgetItem*> bad =
        listBox1->findItems(QStringLiteral("bad\uFFFD"), Qt::MatchEndsWith);
    ASSERT_EQ(bad.size(), 1);
    listBox1->setCurrentItem(bad[0]);
    form.ListBox1Click();
    answer("Btn_Yes");
    form.DFClick();
    EXPECT_EQ(shown.takeLast(),
              QStringLiteral("このフォルダーを削除します☆\n") + QString::fromUtf8(notUtf8));
    EXPECT_FALSE(exists(notUtf8));
    EXPECT_EQ(form.chosenFolder(), QString::fromUtf8(root));

    // A folder with files in it stays, with a notice; the window stands on its parent.
    listBox1->setCurrentItem(
        listBox1->findItems(QStringLiteral("full"), Qt::MatchEndsWith).constFirst());
    form.ListBox1Click();
    shown.clear();
    test::onNextModal([this](QWidget* question) {
        shown.append(test::child<QTextEdit>(question, "MemoMsg")->toPlainText());
        answer("Btn_OK");
        test::click(question, "Btn_Yes");
    });
    form.DFClick();
    const QString full = QString::fromUtf8(at("full"));
    EXPECT_EQ(shown,
              QStringList({QStringLiteral("このフォルダーを削除します☆\n") + full,
                           QStringLiteral("フォルダーの削除に失敗しました・・・\n") + full}));
    EXPECT_TRUE(exists(at("full")));
    EXPECT_EQ(form.chosenFolder(), QString::fromUtf8(root));
}

TEST_F(BrowserWindowTest, ASecondClickOnAColumnReversesTheOrderAndTheSelectionStays) {
    makeFile(at("a.mid"));
    QFile::resize(QString::fromUtf8(at("a.mid")),
                  123456789);  // sparse; wider than the column's eight places
    makeFile(at("b.wav"), 20);
    makeFile(at("c.txt"), 3000);
    TDIR2VIEWForm form(host, QString(), QString(), QString::fromUtf8(root),
                       QStringLiteral("ALL files|*.*"), true, rootOnly(), nullptr);
    form.show();
    auto* list = test::child<QTreeWidget>(&form, "ListView1");
    const auto names = [list] {
        QStringList all;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            all.append(list->topLevelItem(i)->text(0));
        return all;
    };
    ASSERT_EQ(names(), QStringList({QStringLiteral("a.mid"), QStringLiteral("b.wav"),
                                    QStringLiteral("c.txt")}));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("123,456,789"));
    list->setCurrentItem(list->topLevelItem(1));

    const QStringList bySize{QStringLiteral("b.wav"), QStringLiteral("c.txt"),
                             QStringLiteral("a.mid")};
    form.ListView1ColumnClick(1);
    EXPECT_EQ(names(), bySize);
    form.ListView1ColumnClick(1);
    EXPECT_EQ(names(), QStringList(bySize.crbegin(), bySize.crend()));
    form.ListView1ColumnClick(0);
    EXPECT_EQ(names().constFirst(), QStringLiteral("a.mid"));
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->text(0), QStringLiteral("b.wav"));
    EXPECT_EQ(list->selectedItems().size(), 1);
}

TEST_F(BrowserWindowTest, TheFolderAndFileBrowserAnswersOneWithTheTypedFolderOrThree) {
    TDIR2OPENDLG browser(host, [this] { return rootOnly(); });
    browser.setInitialDir(QString::fromUtf8(at("missing/deeper")));
    QString startedAt;
    test::onNextModal([&startedAt](QWidget* window) {
        auto* field = test::child<QLineEdit>(window, "Edit_Folder");
        startedAt = field->text();
        field->setText(QStringLiteral("/not/checked//"));
        test::click(window, "Button1");
    });
    EXPECT_EQ(browser.Execute(QString()), 1);
    EXPECT_EQ(startedAt, QString::fromUtf8(root));
    EXPECT_EQ(browser.directory(), QStringLiteral("/not/checked"));

    test::onNextModal([](QWidget* window) { test::click(window, "Button2"); });
    EXPECT_EQ(browser.Execute(QString()), 3);
    EXPECT_EQ(browser.directory(), QStringLiteral("/not/checked"));
}

TEST_F(BrowserWindowTest, TheFolderWindowsBrowseButtonOpensTheFolderBrowser) {
    ASSERT_TRUE(listing::makeFolder(at("pick")));
    TDIRSETForm folderWindow(host, QStringLiteral("録音ファイル登録先"), QStringLiteral("TEMPALL"),
                             QString::fromUtf8(root) + u'/', true, nullptr);
    folderWindow.show();
    auto* edit1 = test::child<QLineEdit>(&folderWindow, "Edit1");
    edit1->setText(QString::fromUtf8(at("pick/not/yet")));
    QString seen;
    test::onNextModal([&seen](QWidget* browser) {
        seen = browser->objectName() + u'|' + browser->windowTitle() + u'|' +
               test::child<QLabel>(browser, "Label2")->text();
        test::click(browser, "Button1");
    });
    folderWindow.Button2Click();
    EXPECT_EQ(seen, QStringLiteral("TDIRVIEWForm|録音ファイル登録先 フォルダーの参照|") +
                        QString::fromUtf8(at("pick")));
    EXPECT_EQ(edit1->text(), QString::fromUtf8(at("pick")));
}

}  // namespace
}  // namespace sondex
