#include "TestFiles.h"
#include "platform/mci/MidiFile.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace sondex::mci::midi;
using namespace sondex::mci::test;

namespace {

// "ms status data" per event, for comparing whole songs at a glance.
std::vector<std::string> describe(const MidiSong& song) {
    std::vector<std::string> lines;
    for (const MidiEvent& e : song.events) {
        QByteArray bytes(1, char(e.status));
        if (e.status < 0xF0)
            bytes += QByteArray(1, char(e.data1)) + QByteArray(1, char(e.data2));
        else
            bytes += song.sysexOf(e).toByteArray();
        lines.push_back(
            QByteArray(QByteArray::number(e.micros / 1000.0) + ' ' + bytes.toHex()).toStdString());
    }
    return lines;
}

// Format 1 at 96 ticks per quarter: the tempo halves to 250000 at tick 192.
QByteArray songFile() {
    const QByteArray conductor =
        hex("00 FF5103 07A120"    // tempo 500000
            "60 C005"             // tick 96
            "60 FF5103 03D090"    // tick 192: tempo 250000
            "00 F005 7E7F0901F7"  // tick 192
            "60 FF2F00");         // tick 288
    const QByteArray notes =
        hex("60 903C40"         // tick 96
            "60 3C00"           // tick 192, running status
            "00 FF0103 414243"  // a text event leaves the running status alone
            "00 3E50"           //
            "60 C107"           // tick 288
            "00 08"             // running status of a one-byte message
            "8140 FF2F00");     // tick 480
    return smf(1, 96, {conductor, notes});
}

}  // namespace

TEST(MidiFile, TracksMergeInTimeOrderAlongTheTempoMap) {
    // At equal times, track 1's events come before track 2's.
    const std::vector<std::string> expected = {
        "500 c00500",  "500 903c40",  "1000 f07e7f0901f7", "1000 903c00",
        "1000 903e50", "1250 c10700", "1250 c10800",
    };
    for (const QByteArray& file : {songFile(), rmi(songFile())}) {
        const MidiReadResult read = readMidi(file);
        ASSERT_TRUE(read.ok()) << read.message().toStdString();
        EXPECT_FALSE(read.truncated);
        EXPECT_EQ(describe(read.song), expected);
        // Track 2 ends 192 ticks after the tempo change.
        EXPECT_EQ(read.song.lengthMicros, 1'750'000);
        EXPECT_EQ(read.song.lengthMs(), 1750);
        EXPECT_EQ(read.song.format, 1);
        EXPECT_EQ(read.song.trackCount, 2);
        EXPECT_EQ(read.song.division, 96);
    }
    // Many events at one time: still track by track, each in its file order.
    QList<QByteArray> bodies(3);
    std::vector<std::string> inOrder;
    for (int t = 0; t < 3; ++t)
        for (int i = 0; i < 10; ++i) {
            const QByteArray message = QByteArray(1, char(0xC0 + t)) + char(i);  // program i
            bodies[t] += '\0' + message;
            inOrder.push_back("0 " + QByteArray(message + '\0').toHex().toStdString());
        }
    EXPECT_EQ(describe(readMidi(smf(1, 96, bodies)).song), inOrder);
}

TEST(MidiFile, TimesStayExactOverALongSong) {
    // A tick of a third of a second, 30000 times: rounding each step would drift by 10 ms.
    QByteArray body = hex("00 FF5103 0F4240  00 C000");
    for (int i = 0; i < 30000; ++i) body += hex("01 00");
    const MidiReadResult read = readMidi(smf(0, 3, {body}));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.song.events[1].micros, 333'333);
    EXPECT_EQ(read.song.events.last().micros, 10'000'000'000);
    EXPECT_EQ(read.song.lengthMs(), 10'000'000);
}

TEST(MidiFile, FrameDivisionIgnoresTempo) {
    const struct {
        quint16 division;
        quint32 ticks;
        qint64 ms;
    } cases[] = {
        {0xE728, 1000, 1000},  // 25 fps, 40 ticks a frame
        {0xE80A, 240, 1000},   // 24 fps
        {0xE264, 3000, 1000},  // 30 fps
        {0xE364, 3000, 1001},  // 30 drop frame runs at 29.97 fps
    };
    for (const auto& c : cases) {
        const QByteArray body = hex("00 FF5103 0F4240") + vlq(c.ticks) + hex("903C40 00 FF2F00");
        const MidiReadResult read = readMidi(smf(0, c.division, {body}));
        ASSERT_TRUE(read.ok()) << c.division;
        EXPECT_EQ(read.song.events.value(0).micros, c.ms * 1000) << c.division;
        EXPECT_EQ(read.song.lengthMs(), c.ms) << c.division;
    }
}

TEST(MidiFile, Format2PlaysTracksOneAfterAnotherEachWithItsOwnTempo) {
    const QByteArray first = hex("00 FF5103 03D090  60 903C40  60 FF2F00");  // ends at 500 ms
    const QByteArray second = hex("60 903E40  00 FF2F00");                   // default tempo again
    const MidiReadResult read = readMidi(smf(2, 96, {first, second}));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(describe(read.song), std::vector<std::string>({"250 903c40", "1000 903e40"}));
    EXPECT_EQ(read.song.lengthMs(), 1000);
}

TEST(MidiFile, DamagedFilesAreRefusedWithTheirReason) {
    QByteArray tooMany = hex("00 C005");
    for (qsizetype i = 0; i < kMaxEvents; ++i) tooMany += hex("00 05");
    const QByteArray note = hex("00 903C40");
    const struct {
        const char* what;
        QByteArray bytes;
        MidiError error;
        int track;
    } cases[] = {
        {"empty", {}, MidiError::NotMidi, 0},
        {"a WAV file", riff(riffChunk("fmt ", QByteArray(16, '\0'))).replace(8, 4, "WAVE"),
         MidiError::NotMidi, 0},
        {"RMI without data", riff(riffChunk("LIST", "INFO")), MidiError::NoMidiData, 0},
        {"header of 4 bytes", smfHeader(0, 1, 96, 4) + smfTrack(note), MidiError::ShortHeader, 0},
        {"header cut", smfHeader(0, 1, 96).left(11), MidiError::ShortHeader, 0},
        {"format 3", smfHeader(3, 1, 96) + smfTrack(note), MidiError::UnknownFormat, 0},
        {"no tracks", smfHeader(1, 0, 96) + smfTrack(note), MidiError::NoTracks, 0},
        {"no ticks per quarter", smf(0, 0, {note}), MidiError::BadDivision, 0},
        {"26 frames a second", smf(0, 0xE628, {note}), MidiError::BadDivision, 0},
        {"5-byte number", smf(1, 96, {note, hex("FFFFFFFF00 903C40")}), MidiError::LongNumber, 2},
        {"data before any status", smf(0, 96, {hex("00 3C40")}), MidiError::NoRunningStatus, 1},
        {"data after sysex only", smf(0, 96, {hex("00 F001F7 00 3C40")}),
         MidiError::NoRunningStatus, 1},
        {"system common status", smf(0, 96, {hex("00 F4")}), MidiError::BadStatus, 1},
        {"status among data", smf(0, 96, {hex("00 903C 9040")}), MidiError::BadStatus, 1},
        {"cut before an event", smfHeader(0, 1, 96) + smfTrack(hex("00 FF"), 100),
         MidiError::NothingPlayable, 0},
        {"no track chunk", smfHeader(0, 1, 96), MidiError::NothingPlayable, 0},
        {"a delta of centuries", smf(0, 1, {hex("00 FF5103 FFFFFF  FFFFFF7F 903C40")}),
         MidiError::TooLong, 0},
        {"too many events", smf(0, 96, {tooMany}), MidiError::TooManyEvents, 1},
    };
    for (const auto& c : cases) {
        const MidiReadResult read = readMidi(c.bytes);
        EXPECT_EQ(read.error, c.error) << c.what;
        EXPECT_EQ(read.track, c.track) << c.what;
        EXPECT_TRUE(read.song.events.isEmpty()) << c.what;
        EXPECT_FALSE(read.message().isEmpty()) << c.what;
    }
    const QString text = readMidi(smf(0, 96, {hex("00 3C40")})).message();
    EXPECT_EQ(text, QStringLiteral("ＭＩＤＩファイルが壊れています（トラック1："
                                   "ステータスのないデータバイトがあります）。"));
}

TEST(MidiFile, CutFilesKeepWhatWasRead) {
    const QByteArray whole = hex("00 903C40  60 803C40");
    const struct {
        const char* what;
        QByteArray bytes;
        qsizetype events;
        qint64 lengthMs;
        bool truncated;
    } cases[] = {
        {"chunk past the file end", smfHeader(0, 1, 96) + smfTrack(whole, 1000), 2, 500, true},
        {"event past the chunk end, next track read",
         smf(1, 96, {whole + hex("60 803C"), hex("00 C001")}), 3, 500, true},
        {"sysex past the end", smf(0, 96, {hex("00 903C40  60 F07F 0102")}), 1, 0, true},
        {"meta past the end", smf(0, 96, {hex("00 903C40  60 FF51")}), 1, 0, true},
        {"fewer tracks than counted", smfHeader(1, 65535, 96) + smfTrack(whole), 2, 500, true},
        {"no end of track", smf(0, 96, {whole}), 2, 500, false},
        {"bytes after the end of track", smf(0, 96, {whole + hex("00 FF2F00  00 3E") + "junk"}), 2,
         500, false},
        {"unknown chunk skipped",
         smfHeader(0, 1, 96) + "XFIL" + bigEndian(3, 4) + "abc" + smfTrack(whole), 2, 500, false},
        {"header longer than 6", smfHeader(0, 1, 96, 8) + QByteArray(2, '\0') + smfTrack(whole), 2, 500,
         false},
    };
    for (const auto& c : cases) {
        const MidiReadResult read = readMidi(c.bytes);
        ASSERT_TRUE(read.ok()) << c.what << ": " << read.message().toStdString();
        EXPECT_EQ(read.truncated, c.truncated) << c.what;
        EXPECT_EQ(read.song.events.size(), c.events) << c.what;
        EXPECT_EQ(read.song.lengthMs(), c.lengthMs) << c.what;
    }
}

TEST(MidiFile, PlayFromFindsTheFirstEventAtOrAfterThePosition) {
    const MidiReadResult read =
        readMidi(smf(0, 96, {hex("00 903C40  60 903E40 00 3E00  60 803C40")}));
    ASSERT_TRUE(read.ok());
    const struct {
        qint64 ms;
        qsizetype index;
    } cases[] = {{std::numeric_limits<qint64>::min(), 0}, {0, 0}, {1, 1}, {500, 1}, {501, 3},
                 {1000, 3}, {1001, 4}, {std::numeric_limits<qint64>::max(), 4}};
    for (const auto& c : cases) EXPECT_EQ(read.song.firstEventAt(c.ms), c.index) << c.ms;
}

TEST(MidiFile, MutatedFilesNeverBreakTheReader) {
    std::mt19937 random(14);
    const QByteArray plain = songFile();
    for (int round = 0; round < 4000; ++round) {
        QByteArray file = round % 2 ? rmi(plain) : plain;
        const int changes = 1 + int(random() % 4);
        for (int i = 0; i < changes; ++i) file[random() % file.size()] = char(random());
        if (round % 5 == 0) file.truncate(random() % file.size());
        const MidiReadResult read = readMidi(file);
        if (!read.ok()) continue;
        const QList<MidiEvent>& events = read.song.events;
        for (qsizetype i = 0; i < events.size(); ++i) {
            ASSERT_LE(events[i].micros, read.song.lengthMicros) << round;
            if (i > 0) {
                ASSERT_LE(events[i - 1].micros, events[i].micros) << round;
            }
        }
    }
}
