#include "platform/AppPaths.h"
#include "platform/mci/RecordingFile.h"
#include "support/pulse/WavFacts.h"
#include "TestFiles.h"
#include "TmpfsMount.h"

#include <QDir>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace sondex::mci;
using sondex::test::readWavFacts;

namespace {

constexpr PcmFormat kCdFormat{44100, 2, 16};

quint32 headerField(const QString& path, int offset) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray head = file.read(44);
    return head.size() == 44 ? qFromLittleEndian<quint32>(head.constData() + offset) : 0;
}

std::unique_ptr<RecordingFile> newRecording(const QString& folder, const PcmFormat& format = kCdFormat,
                                            qint64 limit = kWavFileSizeLimit) {
    Error error = Error::None;
    auto file = RecordingFile::create(folder, format, limit, error);
    EXPECT_EQ(error, Error::None);
    return file;
}

}  // namespace

TEST(RecordingFile, TemporaryFolderIsTempElseTmpElseTmpdirElseSlashTmp) {
    const QByteArray saved[] = {qgetenv("TEMP"), qgetenv("TMP"), qgetenv("TMPDIR")};
    const auto restore = qScopeGuard([&saved] {
        qputenv("TEMP", saved[0]);
        qputenv("TMP", saved[1]);
        qputenv("TMPDIR", saved[2]);
    });
    qputenv("TEMP", "/a");
    qputenv("TMP", "/b");
    qputenv("TMPDIR", "/c");
    EXPECT_EQ(sondex::paths::recordingTempFolder(), u"/a");
    qunsetenv("TEMP");
    EXPECT_EQ(sondex::paths::recordingTempFolder(), u"/b");
    qputenv("TMP", "");
    EXPECT_EQ(sondex::paths::recordingTempFolder(), u"/c");
    qunsetenv("TMPDIR");
    EXPECT_EQ(sondex::paths::recordingTempFolder(), u"/tmp");
}

TEST(RecordingFile, IsANamedValidWavAtEveryMoment) {
    QTemporaryDir dir;
    auto file = newRecording(dir.path());
    ASSERT_TRUE(file);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^~MCI\\d+\\.TMP$"))
                    .match(QFileInfo(file->path()).fileName())
                    .hasMatch());
    EXPECT_TRUE(readWavFacts(file->path()).readable);

    const QByteArray second(176400, '\x11');
    ASSERT_EQ(file->append(second.constData(), second.size()), RecordingFile::Append::Written);
    // The header catches up within a second without any call from outside.
    QThread::msleep(1050);
    ASSERT_EQ(file->append(second.constData(), 4), RecordingFile::Append::Written);
    EXPECT_EQ(headerField(file->path(), 40), 176404u);
    EXPECT_EQ(readWavFacts(file->path()).frames, 44101);
    EXPECT_EQ(file->frames(), 44101);

    // Samples past the end of a take come off again, also once on the disk.
    file->dropLast(8);
    ASSERT_EQ(file->writeHeader(), 0);
    EXPECT_EQ(readWavFacts(file->path()).fileSize, 44 + 176396);
    EXPECT_EQ(readWavFacts(file->path()).frames, 44099);
}

TEST(RecordingFile, EndsAtTheLimitWithWholeFramesAndAnEvenFile) {
    QTemporaryDir dir;
    // 8-bit mono: the one format whose data may be odd; the pad byte must fit too.
    const qint64 limit = 44 + 1001;
    auto file = newRecording(dir.path(), {8000, 1, 8}, limit);
    const QByteArray block(600, '\x80');
    EXPECT_EQ(file->append(block.constData(), block.size()), RecordingFile::Append::Written);
    EXPECT_EQ(file->append(block.constData(), block.size()), RecordingFile::Append::LimitReached);
    EXPECT_EQ(file->dataBytes(), 1000);
    EXPECT_TRUE(file->isFull());
    EXPECT_EQ(QFileInfo(file->path()).size(), 1044);

    auto stereo = newRecording(dir.path(), kCdFormat, 44 + 1002);
    const QByteArray longer(1198, '\x80');
    EXPECT_EQ(stereo->append(longer.constData(), longer.size()), RecordingFile::Append::LimitReached);
    EXPECT_EQ(stereo->dataBytes(), 1000);  // 250 whole frames
}

// The real 2 GB end, reached on a sparse file instead of hours of recording.
TEST(RecordingFile, StopsJustBeforeTwoGigabytes) {
    QTemporaryDir dir;
    QString path;
    {
        auto file = newRecording(dir.path());
        path = file->path();
    }
    const qint64 nearlyFull = kWavFileSizeLimit - 44 * 1024;
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), nearlyFull), 0);
    Error error = Error::None;
    auto file = RecordingFile::adopt(path, kWavFileSizeLimit, error);
    ASSERT_TRUE(file);
    const QByteArray block(176400, '\x22');
    RecordingFile::Append result = RecordingFile::Append::Written;
    int appends = 0;
    while (result == RecordingFile::Append::Written && appends++ < 10)
        result = file->append(block.constData(), block.size());
    EXPECT_EQ(result, RecordingFile::Append::LimitReached);
    const qint64 size = QFileInfo(path).size();
    EXPECT_LE(size, kWavFileSizeLimit);
    EXPECT_GT(size, kWavFileSizeLimit - 4);
    EXPECT_EQ((size - 44) % 4, 0);
    EXPECT_EQ(headerField(path, 4), quint32(size - 8));
    EXPECT_EQ(headerField(path, 40), quint32(size - 44));
    EXPECT_EQ(readWavFacts(path).frames, (size - 44) / 4);
}

TEST(RecordingFile, FullDiskKeepsWholeFramesUnderAValidHeader) {
    QTemporaryDir dir;
    const sondex::mci::test::TmpfsMount disk(dir.filePath(QStringLiteral("small")), 64 * 1024);
    if (!disk.isMounted()) GTEST_SKIP() << "cannot mount tmpfs: " << disk.failure().toStdString();
    auto file = newRecording(disk.folder());
    const QByteArray block(4099 * 4 + 2, '\x33');
    RecordingFile::Append result = RecordingFile::Append::Written;
    for (int i = 0; i < 100 && result == RecordingFile::Append::Written; ++i)
        result = file->append(block.constData(), block.size());
    ASSERT_EQ(result, RecordingFile::Append::Failed);
    EXPECT_EQ(file->lastErrno(), ENOSPC);
    EXPECT_EQ(file->dataBytes() % 4, 0);
    EXPECT_GT(file->dataBytes(), 32 * 1024);
    EXPECT_EQ(QFileInfo(file->path()).size(), 44 + file->dataBytes());
    EXPECT_EQ(readWavFacts(file->path()).frames, file->frames());
}

TEST(RecordingFile, AppendingAfterALinkedSaveLeavesTheSavedFileAlone) {
    QTemporaryDir dir;
    auto file = newRecording(dir.path());
    const QByteArray block(4000, '\x44');
    file->append(block.constData(), block.size());
    ASSERT_EQ(file->sealForSave(), 0);
    const QString saved = dir.filePath(QStringLiteral("saved.wav"));
    ASSERT_EQ(::link(QFile::encodeName(file->path()).constData(), QFile::encodeName(saved).constData()), 0);
    const QString before = file->path();

    ASSERT_EQ(file->prepareForAppend(), Error::None);
    file->append(block.constData(), block.size());
    file->writeHeader();
    EXPECT_NE(file->path(), before);
    EXPECT_FALSE(QFile::exists(before));
    EXPECT_EQ(QFileInfo(saved).size(), 4044);
    EXPECT_EQ(readWavFacts(saved).frames, 1000);
    EXPECT_EQ(readWavFacts(file->path()).frames, 2000);
}
