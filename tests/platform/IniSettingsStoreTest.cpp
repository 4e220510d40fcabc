#include "platform/IniSettingsStore.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>

namespace sondex {
namespace {

// Bytes of a literal, embedded NULs included.
template <size_t N>
QByteArray raw(const char (&literal)[N]) {
    return QByteArray(literal, N - 1);
}

class IniSettingsStoreTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("cfg/SONDEX.ini")); }

    void writeRaw(const QByteArray& bytes) const { ASSERT_TRUE(test::writeBytes(path(), bytes)); }
    QByteArray readRaw() const { return test::readBytes(path()); }

    QTemporaryDir dir;
};

TEST_F(IniSettingsStoreTest, TextsAreKeptVerbatimOnOneLineAndNamesIgnoreLetterCase) {
    IniSettingsStore store(path());
    ASSERT_TRUE(store.writeTexts({{QStringLiteral("TEMPALL"), QStringLiteral("@@@@@\\")},
                                  {QStringLiteral("FP"), QStringLiteral("5000,5000")},
                                  {QStringLiteral("JK"), QStringLiteral(" 実行中 = a=b ")}}));
    EXPECT_EQ(store.readText(QStringLiteral("tempall")), QStringLiteral("@@@@@\\"));
    EXPECT_EQ(store.readText(QStringLiteral("fp")), QStringLiteral("5000,5000"));
    EXPECT_EQ(store.readText(QStringLiteral("JK")), QStringLiteral(" 実行中 = a=b "));
    EXPECT_EQ(readRaw(), QByteArray("[SONDEX]\nTEMPALL=@@@@@\\\nFP=5000,5000\nJK= 実行中 = a=b \n"));
    // Line breaks inside a value become blanks; the writes leave no temporary files behind.
    ASSERT_TRUE(store.writeText(QStringLiteral("TDAY_S"), QStringLiteral("a\r\nb\nc\rd")));
    EXPECT_EQ(store.readText(QStringLiteral("TDAY_S")), QStringLiteral("a b c d"));
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("cfg"))).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("SONDEX.ini")}));
}

TEST_F(IniSettingsStoreTest, DamagedFilesReadAsWhatTheyStillHold) {
    IniSettingsStore store(path());

    writeRaw(raw("\x00\xff\xfe garbage\n==\n\x01\x02=3\n"));
    EXPECT_EQ(store.readText(QStringLiteral("Version")), QString());

    writeRaw("[SONDEX]\nVersion=22\nSTART=1\nNR_WA");  // cut off mid-line
    EXPECT_EQ(store.readText(QStringLiteral("Version")), QStringLiteral("22"));
    EXPECT_EQ(store.readText(QStringLiteral("NR_WAIT")), QString());

    writeRaw("[SONDEX]\nVers");
    EXPECT_EQ(store.readText(QStringLiteral("Version")), QString());
}

// What the recorder does not understand survives its writes: the lines of
// other sections, a second line of a name, names and values in Shift-JIS or
// Latin-1, comments and garbage stay byte for byte and in place.
TEST_F(IniSettingsStoreTest, AWriteChangesOnlyTheLinesOfTheValuesItChanges) {
    const QByteArray before = raw("junk line\n\x00\x01\n[SONDEX]\nVersion=22\nTDAY_S=\x83\x65\x83\x58\x83\x67\n"
                                  "JK=caf\xe9\n\x83\x65=sjis name\nA=1\nA=2\n;comment=x\n\n[OTHER]\nB=other\n"
                                  "[sondex]\nC=later\n");
    writeRaw(before);
    IniSettingsStore store(path());
    EXPECT_EQ(store.readTexts({QStringLiteral("TDAY_S"), QStringLiteral("a"), QStringLiteral("B"),
                               QStringLiteral("C"), QStringLiteral(";comment")}),
              QStringList({QStringLiteral("テスト"), QStringLiteral("1"), QString(), QStringLiteral("later"),
                           QString()}));

    // The same texts again (JK as it was read) change nothing at all.
    ASSERT_TRUE(store.writeTexts({{QStringLiteral("TDAY_S"), QStringLiteral("テスト")},
                                  {QStringLiteral("JK"), store.readText(QStringLiteral("JK"))},
                                  {QStringLiteral("A"), QStringLiteral("1")}}));
    EXPECT_EQ(readRaw(), before);

    ASSERT_TRUE(store.writeTexts({{QStringLiteral("a"), QStringLiteral("3")},
                                  {QStringLiteral("B"), QStringLiteral("new")},
                                  {QStringLiteral("TDAY_S"), QStringLiteral("テスト2")}}));
    EXPECT_EQ(readRaw(), raw("junk line\n\x00\x01\n[SONDEX]\nVersion=22\nTDAY_S=テスト2\nJK=caf\xe9\n"
                             "\x83\x65=sjis name\nA=3\nA=2\n;comment=x\nB=new\n\n[OTHER]\nB=other\n"
                             "[sondex]\nC=later\n"));
}

TEST_F(IniSettingsStoreTest, NewValuesGoIntoTheSondexSection) {
    IniSettingsStore store(path());
    writeRaw("[OTHER]\nA=other\n");
    ASSERT_TRUE(store.writeText(QStringLiteral("A"), QStringLiteral("1")));
    EXPECT_EQ(readRaw(), QByteArray("[SONDEX]\nA=1\n[OTHER]\nA=other\n"));
    EXPECT_EQ(store.readText(QStringLiteral("A")), QStringLiteral("1"));

    writeRaw("[SONDEX]\nNR_WA");  // cut off mid-line
    ASSERT_TRUE(store.writeText(QStringLiteral("B"), QStringLiteral("2")));
    EXPECT_EQ(readRaw(), QByteArray("[SONDEX]\nNR_WA\nB=2\n"));
}

// A file that is there but cannot be read holds the user's values: it reads
// as empty and is never written, and neither is any file once writes are refused.
TEST_F(IniSettingsStoreTest, AMissingFileReadsEmptyAndAnExistingOneThatCannotBeReadIsNeverWritten) {
    IniSettingsStore store(path());
    EXPECT_FALSE(store.isUnreadable());  // missing: it reads empty and reading does not create it
    EXPECT_EQ(store.readTexts({QStringLiteral("Version"), QStringLiteral("FP")}), QStringList({QString(), QString()}));
    EXPECT_FALSE(QFile::exists(path()));

    QDir().mkpath(path());  // a folder in its place
    EXPECT_TRUE(store.isUnreadable());
    EXPECT_EQ(store.readText(QStringLiteral("Version")), QString());
    EXPECT_FALSE(store.writeText(QStringLiteral("Version"), QStringLiteral("22")));
    ASSERT_TRUE(QDir(path()).removeRecursively());

    writeRaw("[SONDEX]\nVersion=22\n");
    ASSERT_TRUE(QFile::resize(path(), IniSettingsStore::kMaxFileSize));  // sparse, so quick
    EXPECT_EQ(store.readText(QStringLiteral("Version")), QStringLiteral("22"));  // the largest file read
    ASSERT_TRUE(QFile::resize(path(), IniSettingsStore::kMaxFileSize + 1));
    EXPECT_TRUE(store.isUnreadable());
    EXPECT_EQ(store.readText(QStringLiteral("Version")), QString());
    EXPECT_FALSE(store.writeText(QStringLiteral("Version"), QStringLiteral("22")));
    EXPECT_EQ(QFileInfo(path()).size(), IniSettingsStore::kMaxFileSize + 1);

    writeRaw("[SONDEX]\nVersion=22\n");
    store.refuseWrites();
    EXPECT_FALSE(store.writeText(QStringLiteral("Version"), QString()));
    EXPECT_EQ(readRaw(), QByteArray("[SONDEX]\nVersion=22\n"));
}

// Run as root, permissions stop nothing: the check runs in a child that has
// become nobody, in a folder open to it, so that the file's mode decides.
TEST(IniSettingsStoreAccessTest, AFileWithoutReadPermissionIsUnreadableNotMissing) {
    QTemporaryDir open(QStringLiteral("/tmp/sondex-ini-XXXXXX"));
    const QString path = open.filePath(QStringLiteral("SONDEX.ini"));
    QFile::setPermissions(open.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::ExeOther);
    ASSERT_TRUE(test::writeBytes(path, "[SONDEX]\nVersion=22\n"));
    QFile file(path);
    const auto readAsNobody = [&path] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) std::_Exit(3);
        const IniSettingsStore store(path);
        if (store.isUnreadable()) std::_Exit(1);
        std::_Exit(store.readText(QStringLiteral("Version")) == QStringLiteral("22") ? 0 : 2);
    };
    file.setPermissions(QFile::ReadOwner | QFile::ReadOther);
    EXPECT_EXIT(readAsNobody(), ::testing::ExitedWithCode(0), "");
    file.setPermissions({});
    EXPECT_EXIT(readAsNobody(), ::testing::ExitedWithCode(1), "");
}

}  // namespace
}  // namespace sondex
