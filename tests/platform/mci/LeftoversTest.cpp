#include "TmpfsMount.h"
#include "platform/mci/Leftovers.h"
#include "platform/mci/RecordingFile.h"
#include "platform/mci/RecordingSaver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace sondex::mci;

namespace {

constexpr PcmFormat kCdFormat{44100, 2, 16};

// A take cut off by a crash: the header last written covers `declared`
// bytes, the file holds `written` bytes of samples after it.
QString writeLeftover(const QString& folder, const char* name, qint64 declared, qint64 written,
                      bool zeroedHeader = false) {
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(zeroedHeader ? QByteArray(kCanonicalHeaderBytes, '\0')
                            : canonicalWavHeader(kCdFormat, declared));
    QByteArray samples(written, '\0');
    for (qint64 i = 0; i < written; ++i) samples[i] = char(i * 7);
    file.write(samples);
    return path;
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList offeredNames(const QString& folder) {
    QStringList names;
    for (const Recoverable& found : findRecoverable(folder))
        names.append(QFileInfo(found.path).fileName());
    names.sort();
    return names;
}

// 5 s of CD sound recorded, the header refreshed at 3.22 s; 4.17 s reached the disk, then half a
// frame.
constexpr qint64 kDeclared = 3220 * 44100 / 1000 * 4;
constexpr qint64 kWhole = 4170 * 44100 / 1000 * 4;

}  // namespace

TEST(Leftovers, OnlyLostTakesAreOfferedAndRecoveryKeepsEveryWholeFrame) {
    QTemporaryDir temp, recordings;
    const QString lost = writeLeftover(temp.path(), "~MCI00001.TMP", kDeclared, kWhole + 2);
    const QString zeroed = writeLeftover(temp.path(), "~MCI00002.TMP", 0, 4000, true);
    const QString saved = writeLeftover(temp.path(), "~MCI00003.TMP", 400, 400);
    ASSERT_EQ(::link(QFile::encodeName(saved).constData(),
                     QFile::encodeName(temp.filePath(QStringLiteral("wav0000.wav"))).constData()),
              0);
    const QString held = writeLeftover(temp.path(), "~MCI00004.TMP", 400, 800);
    const int holder = ::open(QFile::encodeName(held).constData(), O_RDWR | O_CLOEXEC);
    ASSERT_TRUE(lockRecordingFile(holder));
    const QByteArray heldBytes = bytesOf(held), zeroedBytes = bytesOf(zeroed);

    EXPECT_EQ(offeredNames(temp.path()), QStringList{QStringLiteral("~MCI00001.TMP")});
    EXPECT_FALSE(deleteLeftover(held));
    const Recoverable heldTake{held, kCdFormat, 800};
    EXPECT_EQ(recoverLeftover(heldTake, recordings.filePath(QStringLiteral("held.wav"))),
              Error::AccessDenied);
    EXPECT_EQ(bytesOf(held), heldBytes);
    EXPECT_EQ(bytesOf(zeroed), zeroedBytes);

    const Recoverable take = findRecoverable(temp.path()).value(0);
    EXPECT_EQ(take.dataBytes, kWhole);
    EXPECT_EQ(take.milliseconds(), 4170);
    const QString target = recordings.filePath(QStringLiteral("wav0000.wav"));
    EXPECT_EQ(recoverLeftover(take, target), Error::None);
    EXPECT_FALSE(QFile::exists(lost));
    int error = 0;
    const std::optional<WavContents> contents = readWavContents(target, error);
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->dataBytes, kWhole);
    EXPECT_EQ(QFileInfo(target).size(), kCanonicalHeaderBytes + kWhole);
    EXPECT_EQ(bytesOf(target).mid(kCanonicalHeaderBytes, 16),
              QByteArray::fromHex("00070e151c232a31383f464d545b6269"));
    // A name that is already taken is never replaced.
    const QString another = writeLeftover(temp.path(), "~MCI00005.TMP", 0, 400);
    EXPECT_NE(recoverLeftover({another, kCdFormat, 400}, target), Error::None);
    EXPECT_TRUE(QFile::exists(another));
    ::close(holder);
    EXPECT_TRUE(offeredNames(temp.path()).contains(QStringLiteral("~MCI00004.TMP")));
}

TEST(Leftovers, TheRunningTakeIsLockedAndACopiedSaveMarksItSaved) {
    QTemporaryDir temp, other;
    test::TmpfsMount tmpfs(other.filePath(QStringLiteral("fs")), 1 << 20);
    Error error = Error::None;
    auto recording = RecordingFile::create(temp.path(), kCdFormat, kWavFileSizeLimit, error);
    ASSERT_TRUE(recording);
    const QString path = recording->path();
    EXPECT_TRUE(isHeldByRecorder(path));
    recording->append(QByteArray(4000, 'x').constData(), 4000);
    if (tmpfs.isMounted()) {
        // Across file systems the save copies; the leftover must not be offered afterwards.
        EXPECT_EQ(saveRecording(*recording, tmpfs.folder() + QStringLiteral("/take.wav")),
                  Error::None);
        recording.reset();
        EXPECT_FALSE(isHeldByRecorder(path));
        const bool marked =
            ::getxattr(QFile::encodeName(path).constData(), "user.sondex.saved", nullptr, 0) >= 0;
        EXPECT_EQ(offeredNames(temp.path()).isEmpty(), marked);
    } else {
        recording.reset();
        EXPECT_FALSE(isHeldByRecorder(path));
    }
}

TEST(Leftovers, RecoveryAcrossFileSystemsCopiesAndAReadOnlyFolderIsLeftAlone) {
    QTemporaryDir temp, base;
    test::TmpfsMount target(base.filePath(QStringLiteral("rec")), 8 << 20),
        source(base.filePath(QStringLiteral("ro")), 1 << 20);
    if (!target.isMounted() || !source.isMounted())
        GTEST_SKIP() << "no tmpfs: " << target.failure().toStdString();
    const QString lost = writeLeftover(temp.path(), "~MCI00001.TMP", 0, 4001);
    const Recoverable take = findRecoverable(temp.path()).value(0);
    EXPECT_EQ(recoverLeftover(take, target.folder() + QStringLiteral("/wav0000.wav")), Error::None);
    EXPECT_FALSE(QFile::exists(lost));
    EXPECT_EQ(QFileInfo(target.folder() + QStringLiteral("/wav0000.wav")).size(),
              kCanonicalHeaderBytes + 4000);
    EXPECT_TRUE(QDir(target.folder()).entryList(QDir::Files | QDir::Hidden).size() ==
                1);  // no staging file left

    const QString stuck = writeLeftover(source.folder(), "~MCI00002.TMP", 0, 400);
    ASSERT_EQ(::mount(nullptr, QFile::encodeName(source.folder()).constData(), nullptr,
                      MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr),
              0);
    EXPECT_TRUE(findRecoverable(source.folder()).isEmpty());
    EXPECT_TRUE(QFile::exists(stuck));
}
