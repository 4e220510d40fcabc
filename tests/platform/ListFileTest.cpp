#include "platform/ListFile.h"
#include "support/FileBytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

class ListFileTest : public ::testing::Test {
protected:
    QString path(const char* name = "SONDEXMI.LIS") const { return dir.filePath(QString::fromLatin1(name)); }

    void writeRaw(const QByteArray& bytes) const { ASSERT_TRUE(test::writeBytes(path(), bytes)); }

    QTemporaryDir dir;
};

TEST_F(ListFileTest, WritesUtf8WithCrLfAfterEveryEntry) {
    ASSERT_TRUE(listfile::write(path(), {QStringLiteral("/home/a b/曲.mid"), QString(), QStringLiteral("x")}));
    EXPECT_EQ(test::readBytes(path()), QByteArray("/home/a b/\xE6\x9B\xB2.mid\r\n\r\nx\r\n"));
    EXPECT_EQ(listfile::read(path()),
              QStringList({QStringLiteral("/home/a b/曲.mid"), QString(), QStringLiteral("x")}));
}

TEST_F(ListFileTest, AcceptsLfLoneCrAndAMissingFinalLineBreak) {
    writeRaw("a\nb\r\nc\rd");
    EXPECT_EQ(listfile::read(path()), QStringList({QStringLiteral("a"), QStringLiteral("b"),
                                                   QStringLiteral("c"), QStringLiteral("d")}));
}

TEST_F(ListFileTest, ReadsLegacyShiftJisAndSkipsAByteOrderMark) {
    // "録音" in Shift-JIS, then a half-width katakana "ｺ".
    writeRaw("\x98\x5E\x89\xB9\r\n\xBA\r\n");
    EXPECT_EQ(listfile::read(path()), QStringList({QStringLiteral("録音"), QStringLiteral("ｺ")}));
    writeRaw("\xEF\xBB\xBFone\r\n");
    EXPECT_EQ(listfile::read(path()), QStringList({QStringLiteral("one")}));
}

TEST_F(ListFileTest, MissingEmptyOrUnreadableFilesAreEmptyLists) {
    EXPECT_TRUE(listfile::read(path("none.lis")).isEmpty());
    writeRaw("");
    EXPECT_TRUE(listfile::read(path()).isEmpty());
    EXPECT_TRUE(listfile::read(dir.path()).isEmpty());  // a folder
}

TEST_F(ListFileTest, AFailedWriteReportsFalseAndLeavesTheOldListIntact) {
    EXPECT_FALSE(listfile::write(dir.filePath(QStringLiteral("missing/x.lis")), {QStringLiteral("a")}));
    ASSERT_TRUE(listfile::write(path(), {QStringLiteral("old")}));
    EXPECT_FALSE(listfile::write(dir.path(), {QStringLiteral("new")}));
    EXPECT_EQ(listfile::read(path()), QStringList({QStringLiteral("old")}));
}

}  // namespace
}  // namespace sondex
