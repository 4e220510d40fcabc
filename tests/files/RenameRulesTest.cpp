#include "files/FileRename.h"
#include "files/RenameRules.h"
#include "platform/mci/TmpfsMount.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/mount.h>

#include <gtest/gtest.h>

namespace sondex {
namespace {

using filerename::Outcome;

TEST(RenameRulesTest, NumberedNamesAndExtensionChanges) {
    using namespace renamerules;
    EXPECT_EQ(numberedName(QStringLiteral("rec"), paddedNumber(7, 3), QStringLiteral("a.WAV")),
              QStringLiteral("rec007.wav"));
    // A longer number is not cut; a name without extension gets none.
    EXPECT_EQ(numberedName(QStringLiteral("rec"), paddedNumber(123, 2), QStringLiteral("a")),
              QStringLiteral("rec123"));
    EXPECT_EQ(limitDigits(12), 9);
    EXPECT_EQ(limitDigits(-4), 1);
    EXPECT_EQ(fieldNumber(QStringLiteral(" 12 ")), 12);
    for (const char* bad : {"x", "-1", "", "99999999999"})
        EXPECT_EQ(fieldNumber(QString::fromLatin1(bad)), std::nullopt) << bad;

    const struct {
        const char *shown, *old, *filter, *extension, *result;
    } changes[] = {
        {"song.old.wav", "song.old.wav", "", "mp3",
         "song.mp3"},                                        // an empty filter takes every file
        {"x.mid", "x.mid", "WAV", "mp3", "x.mid"},           // another extension stays
        {"take.WAV", "take.WAV", "wav", "mp3", "take.mp3"},  // the filter ignores case
        {"noext", "noext", "", "wav", "noext.wav"},
    };
    for (const auto& c : changes) {
        EXPECT_EQ(withNewExtension(QString::fromUtf8(c.shown), QString::fromUtf8(c.old),
                                   QString::fromUtf8(c.filter), QString::fromUtf8(c.extension)),
                  QString::fromUtf8(c.result))
            << c.shown;
    }
    for (const char* name : {"a/b.wav", ".", "..", "two\nlines.wav", ""})
        EXPECT_FALSE(isEntryName(QString::fromUtf8(name))) << name;
}

class FileRenameTest : public ::testing::Test {
protected:
    QString folder() const { return dir.path() + u'/'; }
    void make(const QString& name, const QByteArray& content = "wav") const {
        ASSERT_TRUE(test::writeBytes(folder() + name, content));
    }
    QTemporaryDir dir;
};

// A taken name (a folder, a file, the twin a pattern made) leaves both
// files as they were, with the same-name notice.
TEST_F(FileRenameTest, TakenNamesAndBadNamesLoseNothing) {
    make(QStringLiteral("a.wav"), "first");
    make(QStringLiteral("a.mid"), "second");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("曲")));
    EXPECT_EQ(filerename::renameFile(folder(), QStringLiteral("a.wav"), QStringLiteral("曲")),
              Outcome::Taken);
    EXPECT_EQ(
        filerename::notice(Outcome::Taken, folder() + QStringLiteral("a.wav"),
                           folder() + QStringLiteral("曲")),
        QStringLiteral("リネームエラー：\n同名ファイル、又は、同名フォルダーが存在します・・・\n") +
            folder() + QStringLiteral("曲"));
    EXPECT_EQ(filerename::renameFile(folder(), QStringLiteral("a.wav"), QStringLiteral("a.mp3")),
              Outcome::Done);
    EXPECT_EQ(filerename::renameFile(folder(), QStringLiteral("a.mid"), QStringLiteral("a.mp3")),
              Outcome::Taken);
    EXPECT_EQ(test::readBytes(folder() + QStringLiteral("a.mp3")), "first");
    EXPECT_EQ(test::readBytes(folder() + QStringLiteral("a.mid")), "second");

    EXPECT_EQ(filerename::renameFile(folder(), QStringLiteral("gone.wav"), QStringLiteral("b.wav")),
              Outcome::Missing);
    EXPECT_EQ(filerename::renameFile(folder(), QStringLiteral("曲"), QStringLiteral("b")),
              Outcome::Missing);
    const QString tooLong = QString(85, u'録') + u'x';  // 256 bytes
    for (const QString& bad : {tooLong, QStringLiteral("x/y.wav"), QStringLiteral("new\nline.wav")})
        EXPECT_EQ(filerename::renameFile(folder(), QStringLiteral("a.mid"), bad), Outcome::Failed);
    EXPECT_EQ(filerename::renameFile(folder(), QStringLiteral("a.mid"), tooLong.chopped(1)),
              Outcome::Done);
    EXPECT_EQ(test::readBytes(folder() + tooLong.chopped(1)), "second");
}

// Names that are not UTF-8 or hold a newline are renamed by their real
// bytes from the text they are shown as.
TEST_F(FileRenameTest, OddOldNamesAreRenamedByTheirBytes) {
    const QByteArray odd =
        QFile::encodeName(folder()) + "\x82\xa0\x0a.wav";  // Shift-JIS and a newline
    make(QStringLiteral("plain"));
    ASSERT_EQ(::rename(QFile::encodeName(folder() + QStringLiteral("plain")).constData(),
                       odd.constData()),
              0);
    const QString shown = QFile::decodeName(odd).mid(folder().size());
    EXPECT_TRUE(filerename::isExistingFile(folder() + shown));
    EXPECT_EQ(filerename::renameFile(folder(), shown, QStringLiteral("あ.wav")), Outcome::Done);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("あ.wav")});
}

// The folder turns read-only half-way: the renames after that fail, and
// every file is under its old or its new name.
TEST_F(FileRenameTest, AFolderTurningReadOnlyHalfWayKeepsEveryFile) {
    mci::test::TmpfsMount mount(dir.path(), 1 << 20);
    if (!mount.isMounted()) GTEST_SKIP() << "cannot mount: " << mount.failure().toStdString();
    for (int i = 1; i <= 4; ++i) make(QStringLiteral("r%1.wav").arg(i));
    EXPECT_EQ(filerename::renameFile(folder(), QStringLiteral("r1.wav"), QStringLiteral("n1.wav")),
              Outcome::Done);
    ASSERT_EQ(::mount(nullptr, QFile::encodeName(dir.path()).constData(), nullptr,
                      MS_REMOUNT | MS_RDONLY, nullptr),
              0);
    for (int i = 2; i <= 4; ++i)
        EXPECT_EQ(filerename::renameFile(folder(), QStringLiteral("r%1.wav").arg(i),
                                         QStringLiteral("n%1.wav").arg(i)),
                  Outcome::Failed);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              QStringList({QStringLiteral("n1.wav"), QStringLiteral("r2.wav"),
                           QStringLiteral("r3.wav"), QStringLiteral("r4.wav")}));
}

}  // namespace
}  // namespace sondex
