#include "platform/NameBytes.h"
#include "platform/NoReplaceRename.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace sondex {
namespace {

QByteArray bytesOf(const QByteArray& path) {
    return test::readBytes(QFile::decodeName(path));
}

bool writeAt(const QByteArray& path, const QByteArray& content) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const bool written =
        ::write(fd, content.constData(), static_cast<size_t>(content.size())) == content.size();
    return ::close(fd) == 0 && written;
}

// Both ways of renaming, and whatever already holds the new name: nothing is
// replaced, and a free name takes the file whole.
TEST(NoReplaceRenameTest, NeverReplacesWhatHoldsTheNewName) {
    using Way = noreplace::Result (*)(const QByteArray&, const QByteArray&);
    for (const Way way : {Way{&noreplace::rename}, Way{&noreplace::linkThenUnlink}}) {
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path()) + '/';
        ASSERT_TRUE(writeAt(root + "take.wav", "take"));
        ASSERT_TRUE(writeAt(root + "file.wav", "other"));
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        ASSERT_EQ(::symlink("nowhere", QByteArray(root + "dangling").constData()), 0);

        for (const char* taken : {"file.wav", "folder", "dangling"}) {
            const noreplace::Result result = way(root + "take.wav", root + taken);
            EXPECT_EQ(result.outcome, noreplace::Outcome::Taken) << taken;
            EXPECT_EQ(result.error, EEXIST) << taken;
        }
        EXPECT_EQ(bytesOf(root + "take.wav"), "take");
        EXPECT_EQ(bytesOf(root + "file.wav"), "other");

        EXPECT_EQ(way(root + "take.wav", root + "new.wav").outcome, noreplace::Outcome::Done);
        EXPECT_FALSE(namebytes::exists(root + "take.wav"));
        EXPECT_EQ(bytesOf(root + "new.wav"), "take");
        EXPECT_EQ(way(root + "gone.wav", root + "new2.wav").outcome, noreplace::Outcome::Failed);
    }
}

// Names that are not UTF-8, or hold a newline, or fill all 255 bytes are
// found by the text they are shown as, and come back as their real bytes.
TEST(NameBytesTest, ShownPathsLeadBackToTheRealBytes) {
    QTemporaryDir dir;
    const QByteArray root = QFile::encodeName(dir.path()) + '/';
    const QByteArray latin1 = "caf\xe9.wav";  // not UTF-8
    const QByteArray folder = "\xff\xfe";     // not UTF-8 either
    const QByteArray newline = "two\nlines.wav";
    const QByteArray longest = QByteArray(251, 'n') + ".wav";
    ASSERT_EQ(::mkdir(QByteArray(root + folder).constData(), 0755), 0);
    const QByteArray files[] = {root + latin1, root + folder + '/' + latin1, root + newline,
                                root + longest};
    for (const QByteArray& real : files) {
        ASSERT_TRUE(writeAt(real, "x"));
        const QString shown = QFile::decodeName(real);
        EXPECT_EQ(namebytes::realPath(shown), real) << shown.toStdString();
    }
    EXPECT_EQ(namebytes::folderOf(root + folder + '/' + latin1), root + folder + '/');

    // Two names shown alike cannot be told apart, so neither is taken for the other.
    ASSERT_TRUE(writeAt(root + "caf\xe8.wav", "y"));
    EXPECT_EQ(namebytes::realPath(QFile::decodeName(root + latin1)), std::nullopt);
    EXPECT_EQ(namebytes::realPath(dir.path() + QStringLiteral("/none.wav")), std::nullopt);
    EXPECT_EQ(namebytes::realPath(QStringLiteral("relative.wav")), std::nullopt);
}

}  // namespace
}  // namespace sondex
