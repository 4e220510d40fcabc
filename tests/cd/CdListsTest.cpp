// The CD lists' editing rules and the registered list file.
#include "cd/CdLists.h"
#include "support/FileBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

QStringList letters(const char* text) {
    QStringList list;
    for (const char* c = text; *c; ++c) list.append(QString(QLatin1Char(*c)));
    return list;
}

// The registered list holds one entry per letter; the search list is empty.
void registerLetters(CdLists& lists, const char* text) {
    for (const QString& entry : letters(text)) lists.copyToRegistered({lists.appendSearch(entry)});
    lists.clearSearch();
}

TEST(CdLists, SelectedRegisteredEntriesMoveAsOneBlockThatStaysInsideTheList) {
    struct Case {
        QList<int> rows;
        int direction;
        const char* after;
        QList<int> selected;
    };
    const Case cases[] = {
        {{0, 2}, -1, "acbde", {0, 1}},  // the first entry selected: the block stays at the top
        {{1, 3}, -1, "bdace", {0, 1}},  // apart before, adjacent after
        {{2}, -1, "acbde", {1}},
        {{1, 3}, +1, "acbde", {2, 3}},
        {{3, 4}, +1, "abcde", {3, 4}},         // already at the bottom
        {{4, 1, 9, -1}, -1, "beacd", {0, 1}},  // rows in any order, out-of-range rows ignored
    };
    for (const Case& c : cases) {
        CdLists lists;
        registerLetters(lists, "abcde");
        EXPECT_EQ(lists.moveRegistered(c.rows, c.direction), c.selected) << c.after;
        EXPECT_EQ(lists.registered(), letters(c.after)) << c.after;
    }
}

TEST(CdLists, MovingEveryRegisteredEntryToTheSearchListKeepsTheirOrder) {
    CdLists lists;
    registerLetters(lists, "abc");
    lists.appendSearch(QStringLiteral("x"));
    lists.moveToSearch({2, 0, 1});
    EXPECT_TRUE(lists.registered().isEmpty());
    EXPECT_EQ(lists.search(), letters("xabc"));
}

TEST(CdLists, TheRegisteredFileKeepsOnlyPlayEntriesAndAMissingFileIsAnEmptyList) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SONDEXM0.LIS"));
    ASSERT_TRUE(test::writeBytes(
        path, QByteArray(" E:1\r\ngarbage\r\n") + QByteArray("\x00\x01\xff\xfe:3\r\n", 8) +
                  "F:@\r\nE:" + QByteArray(500, '1') + "\r\ne:12\n E:0\r\nG:100\r\n"));
    CdLists lists;
    lists.loadRegistered(path);
    EXPECT_EQ(lists.registered(), (QStringList{QStringLiteral(" E:1"), QStringLiteral(" F:@"),
                                               QStringLiteral(" E:12")}));

    lists.loadRegistered(dir.filePath(QStringLiteral("missing.LIS")));
    EXPECT_TRUE(lists.registered().isEmpty());
}

}  // namespace
}  // namespace sondex
