#include "TestImages.h"

#include "platform/cd/DiscDrive.h"
#include "platform/cd/FakeDiscDrive.h"
#include "platform/cd/Msf.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <vector>

namespace sondex::cd {
namespace {

using test::writeImage;
using test::writeText;

DiscLayout readImage(const QString& path) {
    const DiscReading r = openDiscDrive(path)->readDisc();
    EXPECT_TRUE(r.ok()) << r.error.toStdString();
    return r.disc;
}

TEST(DiscArithmetic, TwoTracksAddTheFirstFramesFieldAndTheDiscLength) {
    QTemporaryDir dir;
    // 10 s and 7 s: starts 00:02:00 and 00:12:00, lead-out 00:19:00.
    const DiscLayout disc = readImage(writeImage(dir.path(), QStringLiteral("two"), {750, 525}));
    ASSERT_EQ(disc.tracks.size(), 2);
    EXPECT_EQ(msfText(disc.tracks[1].start), u"00:12:00");
    EXPECT_EQ(msfText(disc.leadOut), u"00:19:00");
    EXPECT_EQ(discIdentity(disc), 512u + 3072u + 0u + 1275u);
    EXPECT_EQ(identityHex(discIdentity(disc)), u"12FB");
    EXPECT_EQ(trackLength(disc, 1), 750);
    EXPECT_EQ(trackLength(disc, 2), 524);
    EXPECT_EQ(trackLength(disc, 3), -1);
    EXPECT_EQ(discLength(disc), 1274);
}

TEST(DiscArithmetic, ImagesOfOneFourAndNinetyNineTracks) {
    QTemporaryDir dir;
    const DiscLayout one = readImage(writeImage(dir.path(), QStringLiteral("one"), {375}));
    ASSERT_EQ(one.tracks.size(), 1);
    EXPECT_EQ(discIdentity(one), 512u + 0u + 375u);
    EXPECT_EQ(trackLength(one, 1), 374);

    // Starts 00:02:00, 00:06:00, 00:10:01, 00:16:01: three or more tracks add nothing more.
    const DiscLayout four = readImage(writeImage(dir.path(), QStringLiteral("four"), {300, 301, 450, 76}));
    ASSERT_EQ(four.tracks.size(), 4);
    EXPECT_EQ(msfText(four.tracks[3].start), u"00:16:01");
    EXPECT_EQ(discIdentity(four), 0x200u + 0x600u + 0xA01u + 0x1001u);
    EXPECT_EQ(trackLength(four, 3), 450);
    EXPECT_EQ(trackLength(four, 4), 75);

    const DiscLayout full = readImage(writeImage(dir.path(), QStringLiteral("full"), QList<int>(99, 4)));
    ASSERT_EQ(full.tracks.size(), 99);
    EXPECT_EQ(full.lastTrack(), 99);
    EXPECT_EQ(full.tracks[98].start, 150 + 98 * 4);
    EXPECT_EQ(full.leadOut, 150 + 99 * 4);
    EXPECT_EQ(trackLength(full, 99), 3);
}

TEST(DiscImage, AudioComesFromTheRightSectorsAndDataOrOffDiscReadsFail) {
    QTemporaryDir dir;
    const auto drive = openDiscDrive(writeImage(dir.path(), QStringLiteral("pcm"), {10, 20}));
    ASSERT_EQ(drive->state(), DriveState::Ready);
    std::vector<char> buffer(3 * kAudioSectorBytes);
    ASSERT_TRUE(drive->readAudio(150 + 9, 3, buffer.data()));  // across the track boundary
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(qFromLittleEndian<qint16>(buffer.data() + s * kAudioSectorBytes + 2 * 7),
                  FakeDiscDrive::sampleAt(159 + s, 7));
    }
    EXPECT_FALSE(drive->readAudio(150 + 29, 2, buffer.data()));
    EXPECT_FALSE(drive->readAudio(0, 1, buffer.data()));
    EXPECT_EQ(drive->setDoorOpen(true), DoorResult::NotSupported);
}

TEST(DiscImage, MissingOrShortFilesAreReportedNotRead) {
    QTemporaryDir dir;
    EXPECT_EQ(openDiscDrive(dir.filePath(QStringLiteral("gone.cue")))->state(), DriveState::NoDisc);
    EXPECT_FALSE(openDiscDrive(dir.filePath(QStringLiteral("gone.cue")))->readDisc().ok());

    const QString cue = writeText(dir.path(), QStringLiteral("short.cue"),
                                  "FILE short.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
                                  "TRACK 02 AUDIO\nINDEX 01 00:01:00\n");
    writeText(dir.path(), QStringLiteral("short.bin"), QByteArray(70 * kAudioSectorBytes, '\0'));
    const DiscReading shortRead = openDiscDrive(cue)->readDisc();
    EXPECT_TRUE(shortRead.error.contains(u"トラック2")) << shortRead.error.toStdString();

    // A sheet written on Windows names its file with "\" and another letter case.
    writeText(dir.path(), QStringLiteral("win.cue"), "FILE \"C:\\rips\\WIN.BIN\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n");
    writeText(dir.path(), QStringLiteral("win.bin"), QByteArray(5 * kAudioSectorBytes, '\0'));
    EXPECT_EQ(readImage(dir.filePath(QStringLiteral("win.cue"))).leadOut, 155);
}

TEST(DiscImage, CdrdaoTocImagesOpenThroughLibcdioWithTheSameLayout) {
    QTemporaryDir dir;
    writeImage(dir.path(), QStringLiteral("two"), {750, 525});
    const QString toc = writeText(dir.path(), QStringLiteral("two.toc"),
                                  "CD_DA\n\nTRACK AUDIO\nFILE \"two.bin\" 0 00:10:00\n\n"
                                  "TRACK AUDIO\nFILE \"two.bin\" 00:10:00 00:07:00\n");
    const DiscLayout disc = readImage(toc);
    ASSERT_EQ(disc.tracks.size(), 2);
    EXPECT_EQ(discIdentity(disc), 4859u);
    const auto drive = openDiscDrive(toc);
    std::vector<char> sector(kAudioSectorBytes);
    ASSERT_TRUE(drive->readAudio(150 + 750, 1, sector.data()));
    EXPECT_EQ(qFromLittleEndian<qint16>(sector.data() + 2), FakeDiscDrive::sampleAt(900, 1));

    const QString garbage = writeText(dir.path(), QStringLiteral("bad.toc"), "CD_DA\nTRACK AUDIO\nFILE \"none");
    EXPECT_FALSE(openDiscDrive(garbage)->readDisc().ok());
    EXPECT_EQ(openDiscDrive(dir.filePath(QStringLiteral("gone.toc")))->state(), DriveState::NoDisc);
}

TEST(FakeDrive, NotReadyForSomeAttemptsThenReadsItsPattern) {
    FakeDiscDrive drive;
    drive.disc.tracks = {{1, 150, true}, {2, 300, false}};
    drive.disc.leadOut = 400;
    drive.notReadyFor = 2;
    drive.badSectors = {160};
    EXPECT_EQ(drive.state(), DriveState::NotReady);
    EXPECT_FALSE(drive.readDisc().ok());
    EXPECT_EQ(drive.state(), DriveState::Ready);
    std::vector<char> buffer(2 * kAudioSectorBytes);
    EXPECT_TRUE(drive.readAudio(158, 2, buffer.data()));
    EXPECT_FALSE(drive.readAudio(159, 2, buffer.data()));
    EXPECT_FALSE(drive.readAudio(300, 1, buffer.data()));
    EXPECT_EQ(drive.setDoorOpen(true), DoorResult::Done);
    EXPECT_EQ(drive.state(), DriveState::DoorOpen);
}

}  // namespace
}  // namespace sondex::cd
