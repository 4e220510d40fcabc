// Music files played and recorded along through the whole recorder: a second
// start of the program hands its command line over, the real window plays
// the list on the real device engine and records each entry into its own
// file, on a private sound server whose sink suspends when idle.
#include "support/RecorderRig.h"
#include "support/pulse/PatternPlayer.h"
#include "support/pulse/SoundFiles.h"
#include "support/pulse/WavFacts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

namespace sondex {
namespace {

constexpr int kRate = 44100;

class MusicTakeEndToEndTest : public ::testing::Test {
protected:
    struct Entry {
        QString path;
        std::vector<qint16> noise;
    };

    // 2.5 s of noise of its own in a 44100/16/stereo file of the kind its name says.
    static Entry write(const QString& path, quint32 seed) {
        Entry entry{path, test::makePattern(kRate * 5 / 2, seed)};
        EXPECT_TRUE(test::writeSoundFile(path, kRate, 2, entry.noise)) << path.toStdString();
        return entry;
    }

    static QStringList pathsOf(const std::vector<Entry>& entries) {
        QStringList paths;
        for (const Entry& entry : entries) paths << entry.path;
        return paths;
    }

    // The take holds its file sample for sample, and its log line names both.
    static void expectTake(const QString& take, const Entry& entry, const QString& logLine) {
        const test::TrackMatch match = test::alignTrack(take, entry.noise);
        EXPECT_TRUE(match.found) << take.toStdString();
        EXPECT_EQ(match.differing, 0)
            << entry.path.toStdString() << " at frame " << match.offset << " of "
            << match.takeFrames << ", its last " << match.missingTail << " frames missing";
        EXPECT_TRUE(logLine.contains(QFileInfo(take).fileName())) << logLine.toStdString();
        EXPECT_TRUE(logLine.endsWith(u' ' + QFileInfo(entry.path).fileName()))
            << logLine.toStdString();
    }
};

TEST_F(MusicTakeEndToEndTest,
       AForwardedListOfAWavAnAiffAndAnAuIsRecordedFileByFileThenTheProgramCloses) {
    test::MusicTakeRig rig(QStringLiteral(SONDEX_BINARY));
    ASSERT_TRUE(rig.prepare()) << rig.failure().toStdString();
    // A short folder: a forwarded line holds at most 255 bytes.
    const QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/m-XXXXXX"));
    const QString blanks = folder.filePath(QStringLiteral("my music  files"));
    ASSERT_TRUE(QDir().mkpath(blanks));
    const std::vector<Entry> entries = {write(blanks + QStringLiteral("/雨の日の歌.wav"), 11),
                                        write(folder.filePath(QStringLiteral("second.aiff")), 22),
                                        write(folder.filePath(QStringLiteral("third.au")), 33)};

    ASSERT_TRUE(rig.run(pathsOf(entries) << QStringLiteral("/C"), 120000))
        << rig.failure().toStdString();
    EXPECT_TRUE(rig.closedItself());
    EXPECT_TRUE(rig.boxTexts().isEmpty()) << rig.boxTexts().join(u'\n').toStdString();
    const QStringList takes = rig.savedFiles();
    const QStringList log = rig.logLines();
    ASSERT_EQ(takes.size(), qsizetype(entries.size())) << takes.join(u' ').toStdString();
    ASSERT_EQ(log.size(), takes.size()) << log.join(u'\n').toStdString();
    for (size_t i = 0; i < entries.size(); ++i)
        expectTake(takes[qsizetype(i)], entries[i], log[qsizetype(i)]);
}

// A file gone since it was listed, a WAV whose header promises more than it
// holds, garbage named .mid, and a file whose name holds every character a
// name can: each plays or is reported by path, and the list goes on to its end.
TEST_F(MusicTakeEndToEndTest, EntriesThatCannotPlayAreReportedAndTheListGoesOnToItsEnd) {
    QString oddName;
    for (char c = 0x20; c < 0x7f; ++c)
        if (c != '/') oddName += QLatin1Char(c);
    oddName += QStringLiteral("曲♪é.au");

    QTemporaryDir folder;
    const QString gone = folder.filePath(QStringLiteral("gone.aiff"));
    const QString cut = folder.filePath(QStringLiteral("cut.wav"));
    const QString garbage = folder.filePath(QStringLiteral("garbage.mid"));
    const Entry odd = write(folder.filePath(oddName), 44);
    write(gone, 55);
    write(cut, 66);
    ASSERT_TRUE(QFile::resize(cut, QFileInfo(cut).size() / 2));
    QFile junk(garbage);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray("MThd\xff\xff\xff\xff not a song at all", 26).repeated(40));
    junk.close();

    const QStringList listed = {gone, cut, garbage, odd.path};
    test::MusicTakeRig rig(QStringLiteral(SONDEX_BINARY), listed, true);
    ASSERT_TRUE(rig.prepare()) << rig.failure().toStdString();
    ASSERT_TRUE(rig.run({QStringLiteral("/C")}, 120000, [&] {
        QFile::rename(gone, gone + QStringLiteral(".away"));
    })) << rig.failure().toStdString();
    EXPECT_TRUE(rig.closedItself());

    QStringList reported;
    for (const QString& box : rig.boxTexts()) {
        const auto path = std::find_if(listed.cbegin(), listed.cend(), [&](const QString& p) {
            return box.startsWith(QStringLiteral("再生エラー：") + p + u'\n');
        });
        ASSERT_NE(path, listed.cend()) << box.toStdString();
        EXPECT_GT(box.size(), QStringLiteral("再生エラー：").size() + path->size() + 2)
            << box.toStdString();
        reported << *path;
    }
    EXPECT_TRUE(reported.contains(gone) && reported.contains(garbage))
        << reported.join(u' ').toStdString();
    EXPECT_FALSE(reported.contains(odd.path));
    const QStringList takes = rig.savedFiles();
    const QStringList log = rig.logLines();
    ASSERT_EQ(takes.size(), listed.size() - reported.size()) << takes.join(u' ').toStdString();
    ASSERT_EQ(log.size(), takes.size()) << log.join(u'\n').toStdString();
    expectTake(takes.constLast(), odd, log.constLast());
}

}  // namespace
}  // namespace sondex
