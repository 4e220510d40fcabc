// The music list: what joins it, what leaves it, and what its file keeps.
#include "music/MusicList.h"
#include "support/FileBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

TEST(MusicList, AddedFilesJoinTheEndAndTheFirstOfThemIsNext) {
    MusicList list;
    list.append({QStringLiteral("/a/1.mid"), QStringLiteral("/a/2.wav")});
    EXPECT_EQ(list.append({QStringLiteral("/b/3.mid"), QStringLiteral("/b/4.au"), QStringLiteral("/c/1.mid")}), 2);
    EXPECT_EQ(list.current(), 2);
    EXPECT_EQ(list.countText(), QStringLiteral("5ｺ"));
    EXPECT_EQ(list.names()[4], QStringLiteral("1.mid"));
    EXPECT_EQ(list.append({}), -1);
    EXPECT_EQ(list.current(), 2) << "nothing added changes nothing";

    list.setCurrent(4);
    list.remove({4, 0});
    EXPECT_EQ(list.paths(), (QStringList{QStringLiteral("/a/2.wav"), QStringLiteral("/b/3.mid"),
                                         QStringLiteral("/b/4.au")}));
    EXPECT_EQ(list.current(), -1) << "the current entry went";
    EXPECT_EQ(list.move({2}, -1), QList<int>{1});
    EXPECT_EQ(list.current(), 1);
}

TEST(MusicList, TheListFileKeepsOnlyPathsAndAMissingFileIsAnEmptyList) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("SONDEXMI.LIS"));
    const QString japanese = QStringLiteral("/曲 の/フォルダー/歌.wav");
    ASSERT_TRUE(test::writeBytes(file, "/m/a.mid\r\nrelative.mid\r\n" + japanese.toUtf8() + "\r\n/bad\x01name.wav\r\n/" +
                                           QByteArray(5000, 'x') + "\r\n\r\n"));
    MusicList list;
    list.load(file);
    EXPECT_EQ(list.paths(), (QStringList{QStringLiteral("/m/a.mid"), japanese}));
    EXPECT_EQ(list.current(), 0);

    list.load(dir.filePath(QStringLiteral("none.LIS")));
    EXPECT_TRUE(list.paths().isEmpty());
    EXPECT_EQ(list.countText(), QStringLiteral("0ｺ"));
}

}  // namespace
}  // namespace sondex
