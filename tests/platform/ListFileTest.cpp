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

// Line ends of any kind, legacy Shift-JIS, a byte-order mark; missing, empty or unreadable files are empty lists.
TEST_F(ListFileTest, ReadsWhatOtherProgramsAndOlderVersionsWrote) {
    const std::pair<QByteArray, QStringList> cases[] = {
        {"a\nb\r\nc\rd", {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}},
        {"\x98\x5E\x89\xB9\r\n\xBA\r\n", {QStringLiteral("録音"), QStringLiteral("ｺ")}},  // Shift-JIS
        {"\xEF\xBB\xBFone\r\n", {QStringLiteral("one")}},
        {"", {}},
    };
    for (const auto& [bytes, entries] : cases) {
        writeRaw(bytes);
        EXPECT_EQ(listfile::read(path()), entries) << bytes.toHex().toStdString();
    }
    EXPECT_TRUE(listfile::read(path("none.lis")).isEmpty());
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
