// The MIDI sequencer on a private sound server: songs written here, their
// length, what it refuses, and takes recorded along with a play to the end
// and with a play from the middle, measured by their sound envelope.
#include "TestFiles.h"
#include "platform/mci/Engine.h"
#include "platform/mci/MidiFile.h"
#include "platform/mci/MidiSource.h"
#include "support/FileBytes.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/WavFacts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sondex::mci;
using namespace sondex::mci::test;
using sondex::test::SoundSpan;
using sondex::test::soundSpan;

namespace {

constexpr int kOrgan = 19;

class PlayingMidi : public ::testing::Test, protected EngineClient {
protected:
    void SetUp() override {
        // The sink suspends when idle, as a desktop's does.
        ASSERT_TRUE(server.start(true)) << server.failure().toStdString();
        server.applyToThisProcess();
        options.temporaryFolder = dir.path();
        engine = std::make_unique<Engine>(options);
    }

    QString write(const QString& name, const QByteArray& bytes) {
        EXPECT_TRUE(sondex::test::writeBytes(dir.filePath(name), bytes));
        return dir.filePath(name);
    }
    int openMidi(const QString& path) {
        return send(QStringLiteral("Open \"%1\" alias tavikMID wait").arg(path));
    }
    QString status(const QString& item) { return ask(QStringLiteral("status tavikMID ") + item); }

    // Plays the song with the given play command while a take records it;
    // returns the take's sound and how long the play took to its notice.
    SoundSpan recordPlay(const QString& play, qint64& elapsedMs) {
        const QString wav = dir.filePath(QStringLiteral("template.wav"));
        EXPECT_TRUE(writeTemplateWav(wav, 44100, 16, 2));
        EXPECT_EQ(send(QStringLiteral("open \"%1\" alias tavikREC wait").arg(wav)), 0);
        EXPECT_EQ(send(QStringLiteral("record tavikREC")), 0);
        QElapsedTimer clock;
        clock.start();
        const qsizetype before = log.notices.size();
        EXPECT_EQ(send(play + QStringLiteral(" notify"), log.target()), 0);
        EXPECT_TRUE(log.waitFor(before + 1, 15000));
        elapsedMs = clock.elapsed();
        EXPECT_EQ(log.codes().value(before), NotifySuccessful);
        EXPECT_EQ(send(QStringLiteral("stop tavikREC")), 0);
        const QString take = dir.filePath(QStringLiteral("take.wav"));
        EXPECT_EQ(send(QStringLiteral("save tavikREC \"%1\"").arg(take)), 0);
        EXPECT_EQ(send(QStringLiteral("close tavikREC")), 0);
        return soundSpan(take);
    }

    sondex::test::PrivatePulseServer server;
    QTemporaryDir dir;
    EngineOptions options;
    NoticeLog log;
};

// Three organ notes one after another, 200 ms to 1700 ms, which is where the song ends.
QByteArray legatoSong() {
    QList<TimedMidi> song = {midiProgram(0, kOrgan)};
    song << midiNote(0, 60, 200, 700) << midiNote(0, 64, 700, 1200) << midiNote(0, 67, 1200, 1700);
    return midiFileOf(song);
}

}  // namespace

TEST_F(PlayingMidi, OpensSongsAndRefusesWhatItCannotPlay) {
    const QByteArray song = legatoSong();
    // Cut inside the end of the track: what was read plays.
    const QByteArray cut = song.left(song.size() - 2);
    const struct {
        const char* name;
        QByteArray bytes;
        Error error;
    } cases[] = {
        {"song.mid", song, Error::None},
        {"song.rmi", rmi(song), Error::None},
        {"cut.mid", cut, Error::None},
        {"format 3.mid", QByteArray(song).replace(9, 1, "\x03"), Error::BadMidiFile},
        {"a song and 17 MB more.mid", song + QByteArray(17 << 20, '\0'), Error::BadMidiFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = write(QString::fromUtf8(c.name), c.bytes);
        ASSERT_EQ(openMidi(path), toCode(c.error));
        if (c.error != Error::None) continue;
        const midi::MidiReadResult read = midi::readMidi(c.bytes);
        ASSERT_EQ(send(QStringLiteral("set tavikMID time format ms")), 0);
        EXPECT_EQ(status(QStringLiteral("length")), QString::number(read.song.lengthMs()));
        EXPECT_EQ(status(QStringLiteral("samplespersec")), QStringLiteral("44100"));
        EXPECT_EQ(status(QStringLiteral("bitspersample")), QStringLiteral("16"));
        EXPECT_EQ(status(QStringLiteral("channels")), QStringLiteral("2"));
        if (read.truncated) {
            ASSERT_EQ(send(QStringLiteral("play tavikMID notify"), log.target()), 0);
            ASSERT_TRUE(log.waitFor(1, 10000));
            EXPECT_EQ(log.codes(), QList<qint64>{NotifySuccessful});
        }
        ASSERT_EQ(send(QStringLiteral("close tavikMID")), 0);
    }
    EXPECT_EQ(log.notices.size(), 1) << "the cut file played";
    EXPECT_EQ(openMidi(dir.filePath(QStringLiteral("gone.mid"))), toCode(Error::FileNotFound));

    // Paths that are no sound font, or nothing at all.
    options.soundFontPaths = {dir.filePath(QStringLiteral("none.sf2")),
                              write(QStringLiteral("text.sf2"), "not a sound font")};
    engine = std::make_unique<Engine>(options);
    EXPECT_EQ(openMidi(dir.filePath(QStringLiteral("song.mid"))), toCode(Error::NoSoundFont));
    options.soundFontPaths.clear();
    engine = std::make_unique<Engine>(options);
    EXPECT_EQ(openMidi(dir.filePath(QStringLiteral("song.mid"))), toCode(Error::NoSoundFont));
}

TEST_F(PlayingMidi, ATakeSoundsFromTheFirstNoteToTheLastNoteOffAndItsTail) {
    ASSERT_EQ(openMidi(write(QStringLiteral("legato.mid"), legatoSong())), 0);
    qint64 elapsed = 0;
    const SoundSpan span = recordPlay(QStringLiteral("play tavikMID"), elapsed);
    EXPECT_GE(elapsed, 1700) << "the end is not before the length";
    EXPECT_EQ(status(QStringLiteral("position")), QStringLiteral("1700"));
    EXPECT_EQ(status(QStringLiteral("mode")), QStringLiteral("stopped"));
    // The notes sound for 1500 ms, then they ring on for a while.
    EXPECT_GE(span.ms(), 1500 + 20) << span.text();
    EXPECT_LE(span.ms(), 1500 + kMidiTailMilliseconds + 50) << span.text();
    EXPECT_LE(span.longestGapMs, 20) << span.text();
}

// A play from 800 ms: the note held across it stays silent, channel 1 is muted
// by its volume set before, and only channel 2's short note sounds.
TEST_F(PlayingMidi, APlayFromTheMiddleSetsUpTheChannelsButSoundsNoEarlierNote) {
    QList<TimedMidi> song = {midiProgram(0, kOrgan), midiProgram(1, kOrgan),
                             midiProgram(2, kOrgan), {500, QByteArray::fromHex("B10700")}};
    song << midiNote(0, 60, 0, 3000) << midiNote(1, 64, 1000, 3000) << midiNote(2, 67, 1000, 1100);
    ASSERT_EQ(openMidi(write(QStringLiteral("chase.mid"), midiFileOf(song))), 0);
    qint64 elapsed = 0;
    const SoundSpan span = recordPlay(QStringLiteral("play tavikMID from 800"), elapsed);
    EXPECT_GE(elapsed, 3000 - 800);
    EXPECT_EQ(status(QStringLiteral("position")), QStringLiteral("3000"));
    EXPECT_GE(span.ms(), 100 - 50) << span.text();
    EXPECT_LE(span.ms(), 1000) << span.text();
}
