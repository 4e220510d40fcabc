#include "platform/cd/CueSheet.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace sondex::cd {
namespace {

const QByteArray kGood =
    "REM made by hand\n"
    "TITLE \"Album name\"\n"
    "FILE \"a b.bin\" BINARY\n"
    "  TRACK 01 AUDIO\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 02 AUDIO\n"
    "    INDEX 00 00:04:00\n"
    "    INDEX 01 00:05:00\n";

TEST(CueSheet, ReadsFilesTracksIndexesAndTheAlbumTitle) {
    const CueReading r = parseCueSheet(kGood);
    ASSERT_EQ(r.error, CueError::None) << r.message().toStdString();
    ASSERT_EQ(r.sheet.files.size(), 1);
    EXPECT_EQ(r.sheet.files[0].name, u"a b.bin");
    EXPECT_EQ(r.sheet.title, u"Album name");
    ASSERT_EQ(r.sheet.tracks.size(), 2);
    EXPECT_EQ(r.sheet.tracks[1].index0, 300);
    EXPECT_EQ(r.sheet.tracks[1].index1, 375);
}

TEST(CueSheet, MalformedSheetsGiveOneClearErrorAndTheirLine) {
    struct Case {
        QByteArray text;
        CueError error;
        int line;
    };
    const Case cases[] = {
        {"", CueError::NoFile, 0},
        {"TRACK 01 AUDIO\nINDEX 01 00:00:00\n", CueError::NoFile, 1},
        {"FILE x.bin BINARY\n", CueError::NoFile, 0},
        {"FILE x.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n", CueError::UnsupportedFile, 1},
        {"FILE x.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:60:00\n", CueError::BadTime, 3},
        {"FILE x.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:75\n", CueError::BadTime, 3},
        {"FILE x.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 1:2\n", CueError::BadTime, 3},
        {"FILE x.bin BINARY\nTRACK 01 AUDIO\nINDEX 01\n", CueError::UnknownCommand, 3},
        {"FILE x.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 03 AUDIO\nINDEX 01 00:01:00\n",
         CueError::TrackOrder, 4},
        {"FILE x.bin BINARY\nTRACK 02 AUDIO\nINDEX 01 00:00:00\nTRACK 01 AUDIO\nINDEX 01 00:01:00\n",
         CueError::TrackOrder, 4},
        {"FILE x.bin BINARY\nTRACK 00 AUDIO\nINDEX 01 00:00:00\n", CueError::TrackOrder, 2},
        {"FILE x.bin BINARY\nTRACK 100 AUDIO\nINDEX 01 00:00:00\n", CueError::BadTrack, 2},
        {"FILE x.bin BINARY\nTRACK 01 VIDEO\nINDEX 01 00:00:00\n", CueError::BadTrack, 2},
        {"FILE x.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:09:00\nTRACK 02 AUDIO\nINDEX 01 00:08:00\n",
         CueError::IndexOrder, 5},
        {"FILE x.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nINDEX 01 00:01:00\n", CueError::IndexOrder, 4},
        {"FILE x.bin BINARY\nTRACK 01 AUDIO\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n", CueError::NoIndex01, 2},
        {"FILE x.bin BINARY\nTRACK 01 AUDIO\nINDEX 00 00:00:00\n", CueError::NoIndex01, 2},
        {"FILE x.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nFLY away\n", CueError::UnknownCommand, 4},
        {QByteArray("\x7f" "ELF\x01\x02\x01\0\0\0garbage", 17), CueError::NotText, 0},
        {"\x89PNG\r\n\x1a\n\xff\xfe", CueError::NotText, 1},
    };
    for (const Case& c : cases) {
        const CueReading r = parseCueSheet(c.text);
        EXPECT_EQ(r.error, c.error) << c.text.toStdString();
        EXPECT_EQ(r.line, c.line) << c.text.toStdString();
        EXPECT_FALSE(r.message().isEmpty());
        EXPECT_TRUE(r.sheet.tracks.isEmpty());
    }
}

TEST(CueSheet, ABinShorterThanTheSheetSaysIsRefusedWithItsTrack) {
    const CueSheet sheet = parseCueSheet(kGood).sheet;
    // Track 2 starts at frame 375: the file must hold at least 376 sectors.
    EXPECT_EQ(layOutImage(sheet, {375 * 2352}).error, CueError::FileShort);
    EXPECT_EQ(layOutImage(sheet, {375 * 2352}).track, 2);
    EXPECT_EQ(layOutImage(sheet, {0}).track, 1);
    EXPECT_EQ(layOutImage(sheet, {}).error, CueError::NoFile);
    const ImageLayout fits = layOutImage(sheet, {376 * 2352 + 100});
    ASSERT_EQ(fits.error, CueError::None);
    EXPECT_EQ(fits.disc.leadOut, 150 + 376);
}

TEST(CueSheet, PregapsAndSeveralFilesFollowEachOther) {
    const QByteArray text =
        "FILE one.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
        "FILE two.bin MOTOROLA\nTRACK 02 AUDIO\nPREGAP 00:01:00\nINDEX 00 00:00:00\nINDEX 01 00:00:10\n"
        "TRACK 03 MODE1/2048\nINDEX 01 00:00:20\nPOSTGAP 00:00:05\n";
    const CueReading r = parseCueSheet(text);
    ASSERT_EQ(r.error, CueError::None) << r.message().toStdString();
    const ImageLayout image = layOutImage(r.sheet, {100 * 2352, 20 * 2352 + 30 * 2048});
    ASSERT_EQ(image.error, CueError::None);
    ASSERT_EQ(image.disc.tracks.size(), 3);
    EXPECT_EQ(image.disc.tracks[0].start, 150);
    EXPECT_EQ(image.disc.tracks[1].start, 150 + 100 + 75 + 10);
    EXPECT_EQ(image.disc.tracks[2].start, 150 + 100 + 75 + 20);
    EXPECT_FALSE(image.disc.tracks[2].audio);
    EXPECT_EQ(image.disc.leadOut, 150 + 100 + 75 + 20 + 30 + 5);
    EXPECT_TRUE(image.segments[2].bigEndian);
    EXPECT_EQ(image.segments[3].offset, 20 * 2352);
}

// Mutated sheets, fed through both steps, must come back with a layout or an
// error (the sanitizer build checks that nothing reads out of bounds).
TEST(CueSheet, MutatedSheetsNeverCrash) {
    QRandomGenerator random(12);
    const QByteArray seed = kGood + "FILE c.bin BINARY\nTRACK 03 AUDIO\nPREGAP 00:00:02\nINDEX 01 00:00:00\n";
    for (int i = 0; i < 3000; ++i) {
        QByteArray text = seed;
        const int edits = 1 + int(random.bounded(6));
        for (int e = 0; e < edits; ++e) {
            const int at = int(random.bounded(text.size()));
            switch (random.bounded(3)) {
            case 0: text[at] = char(random.bounded(256)); break;
            case 1: text.remove(at, int(random.bounded(8))); break;
            default: text.insert(at, text.mid(int(random.bounded(text.size())), 12)); break;
            }
        }
        const CueReading r = parseCueSheet(text);
        if (r.error == CueError::None) {
            QList<qint64> sizes;
            for (qsizetype f = 0; f < r.sheet.files.size(); ++f)
                sizes.append(qint64(random.bounded(2000)) * 2352);
            const ImageLayout image = layOutImage(r.sheet, sizes);
            if (image.error == CueError::None) {
                for (const ImageSegment& s : image.segments)
                    EXPECT_GE(s.count, 0);
            }
        }
    }
}

}  // namespace
}  // namespace sondex::cd
