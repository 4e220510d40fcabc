#include "platform/mci/RecordingFile.h"
#include "platform/mci/RecordingSaver.h"
#include "support/FileBytes.h"
#include "support/pulse/WavFacts.h"
#include "TmpfsMount.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace sondex::mci;
using sondex::mci::test::TmpfsMount;
using sondex::test::readWavFacts;

namespace {

class RecordingSaver : public ::testing::Test {
protected:
    void SetUp() override {
        Error error = Error::None;
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("tmp"))));
        recording = RecordingFile::create(dir.filePath(QStringLiteral("tmp")), {22050, 1, 8},
                                          kWavFileSizeLimit, error);
        ASSERT_TRUE(recording);
        // An odd number of 8-bit samples: the saved file needs its pad byte.
        QByteArray samples(22051, '\0');
        for (int i = 0; i < samples.size(); ++i) samples[i] = char(i * 7);
        recording->append(samples.constData(), samples.size());
    }

    static ino_t inode(const QString& path) {
        struct stat info {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
    }

    void expectSavedWhole(const QString& path) {
        const auto facts = readWavFacts(path);
        EXPECT_TRUE(facts.readable);
        EXPECT_EQ(facts.frames, 22051);
        EXPECT_EQ(facts.sampleRate, 22050);
        EXPECT_EQ(facts.bitsPerSample, 8);
        EXPECT_EQ(facts.fileSize, 44 + 22052);
        EXPECT_EQ(facts.header, canonicalWavHeader({22050, 1, 8}, 22051));
        QFile saved(path);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        saved.seek(44 + 1000);
        EXPECT_EQ(saved.read(1).at(0), char(1000 * 7));
    }

    QTemporaryDir dir;
    std::unique_ptr<RecordingFile> recording;
};

}  // namespace

TEST_F(RecordingSaver, SameFileSystemSavesWithoutCopyingAndKeepsTheRecording) {
    const QString target = dir.filePath(QStringLiteral("録音 0001.wav"));
    ASSERT_TRUE(sondex::test::writeBytes(target, "an older file of that name"));
    ASSERT_EQ(saveRecording(*recording, target), Error::None);
    expectSavedWhole(target);
    // One file under two names: no sample was copied.
    EXPECT_EQ(inode(target), inode(recording->path()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "staging left behind";
    // Saving again under the same name finds the target already linked to the recording.
    ASSERT_EQ(saveRecording(*recording, target), Error::None);
    expectSavedWhole(target);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "staging left behind";
    // The recording goes on being usable: a second save under another name.
    ASSERT_EQ(saveRecording(*recording, dir.filePath(QStringLiteral("again.wav"))), Error::None);
    expectSavedWhole(dir.filePath(QStringLiteral("again.wav")));
}

TEST_F(RecordingSaver, OtherFileSystemGetsAStreamedCopy) {
    const TmpfsMount other(dir.filePath(QStringLiteral("other")), 1 << 20);
    if (!other.isMounted()) GTEST_SKIP() << "cannot mount tmpfs: " << other.failure().toStdString();
    const QString target = other.folder() + QStringLiteral("/copy.wav");
    ASSERT_EQ(saveRecording(*recording, target), Error::None);
    expectSavedWhole(target);
    EXPECT_NE(inode(target), inode(recording->path()));
}

TEST_F(RecordingSaver, FailuresLeaveNoFileAndKeepTheRecording) {
    EXPECT_EQ(saveRecording(*recording, dir.filePath(QStringLiteral("missing/x.wav"))), Error::FolderMissing);

    const TmpfsMount readOnly(dir.filePath(QStringLiteral("ro")), 1 << 20, true);
    const TmpfsMount full(dir.filePath(QStringLiteral("full")), 16 * 1024);
    if (!readOnly.isMounted() || !full.isMounted())
        GTEST_SKIP() << "cannot mount tmpfs: " << readOnly.failure().toStdString();
    EXPECT_EQ(saveRecording(*recording, readOnly.folder() + QStringLiteral("/x.wav")), Error::ReadOnlyTarget);
    EXPECT_EQ(saveRecording(*recording, full.folder() + QStringLiteral("/x.wav")), Error::DiskFull);
    EXPECT_TRUE(QDir(full.folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    const QString good = dir.filePath(QStringLiteral("good.wav"));
    ASSERT_EQ(saveRecording(*recording, good), Error::None);
    expectSavedWhole(good);
}
