// The CD device's answers on disc images and fake drives. No sound server runs
// here (the test home points PULSE_SERVER at a dead socket), so a play fails.
#include "platform/cd/FakeDiscDrive.h"
#include "platform/cd/Msf.h"
#include "platform/mci/Engine.h"
#include "CdToneImage.h"
#include "TestFiles.h"
#include "TestImages.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sondex;
using namespace sondex::mci;

namespace {

class CdAudioCommands : public ::testing::Test, protected test::EngineClient {
protected:
    void SetUp() override { options.configFolder = dir.filePath(QStringLiteral("config")); }

    // Lists an image of the given track lengths (frames) as unit E: and opens it.
    void openImage(const QList<int>& trackFrames) {
        test::writeCdDrives(options.configFolder, u'E', cd::test::writeImage(dir.path(), QStringLiteral("disc"), trackFrames));
        engine = std::make_unique<Engine>(options);
        ASSERT_EQ(send(QStringLiteral("open cdaudio!E: alias tavikCD")), 0);
    }

    // Opens unit E: on a copy of `fake` (each reader of the unit gets its own copy).
    void openFake(const cd::FakeDiscDrive& fake) {
        test::writeCdDrives(options.configFolder, u'E', QStringLiteral("/dev/sr9"));
        options.openDrive = [fake](const QString&) { return std::make_unique<cd::FakeDiscDrive>(fake); };
        engine = std::make_unique<Engine>(options);
        ASSERT_EQ(send(QStringLiteral("open cdaudio!E: alias tavikCD")), 0);
    }

    QTemporaryDir dir;
    EngineOptions options;
};

}  // namespace

TEST_F(CdAudioCommands, AnswersTheDiscLayoutOfImagesFromOneTo99Tracks) {
    QList<int> ninetyNine;
    for (int t = 0; t < 99; ++t) ninetyNine << 20 + t;
    const QList<QList<int>> discs = {{4500}, {750, 525}, {750, 600, 900, 452}, ninetyNine};
    for (const QList<int>& tracks : discs) {
        SCOPED_TRACE(tracks.size());
        openImage(tracks);
        const int n = int(tracks.size());
        qint64 total = 0;
        for (const int frames : tracks) total += frames;
        const qint64 lastStart = 150 + total - tracks.last();
        EXPECT_EQ(ask(QStringLiteral("status tavikCD number of tracks")), QString::number(n));
        EXPECT_EQ(ask(QStringLiteral("status tavikCD length")), cd::msfText(total - 1));
        EXPECT_EQ(ask(QStringLiteral("status tavikCD length track 1")), cd::msfText(n > 1 ? tracks[0] : tracks[0] - 1));
        EXPECT_EQ(ask(QStringLiteral("status tavikCD length track %1").arg(n)), cd::msfText(tracks.last() - 1));
        EXPECT_EQ(ask(QStringLiteral("status tavikCD position track %1").arg(n)), cd::msfText(lastStart));
        EXPECT_EQ(ask(QStringLiteral("status tavikCD position")), QStringLiteral("00:02:00"));
        ask(QStringLiteral("set tavikCD time format tmsf"));
        EXPECT_EQ(ask(QStringLiteral("status tavikCD position track %1").arg(n)),
                  QStringLiteral("%1:00:00:00").arg(n, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(ask(QStringLiteral("status tavikCD position")), QStringLiteral("01:00:00:00"));
        EXPECT_EQ(ask(QStringLiteral("status tavikCD length track %1").arg(n)), cd::msfText(tracks.last() - 1));
        EXPECT_EQ(send(QStringLiteral("status tavikCD position track %1").arg(n + 1)), toCode(Error::BadArgument));
        ask(QStringLiteral("close tavikCD"));
    }
    // The identity's arithmetic is the disc image's; here it is only passed on.
    openImage({750, 525});
    EXPECT_EQ(ask(QStringLiteral("info tavikCD identity")), QStringLiteral("4859"));
}

TEST_F(CdAudioCommands, TakesAndGivesPositionsInEachTimeFormat) {
    openImage({750, 600, 900, 450});  // tracks at 00:02:00, 00:12:00, 00:20:00, 00:32:00; lead-out 00:38:00
    struct Case {
        const char* format;
        const char* position;
        const char* msf;      // where the device stands then
        const char* inFormat; // the position reply in that format
        const char* track;
    };
    const Case cases[] = {
        {"msf", "00:05:80", "00:06:05", "00:06:05", "1"},  // a frame field of 75 and more carries
        {"msf", "0:12:0", "00:12:00", "00:12:00", "2"},
        {"msf", "00:11:74", "00:11:74", "00:11:74", "1"},
        {"tmsf", "3", "00:20:00", "03:00:00:00", "3"},
        {"tmsf", "3:00:01:74", "00:21:74", "03:00:01:74", "3"},
        {"tmsf", "4:00:05:00", "00:37:00", "04:00:05:00", "4"},
        {"ms", "20000", "00:20:00", "20000", "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        ask(QStringLiteral("set tavikCD time format %1").arg(QLatin1String(c.format)));
        ask(QStringLiteral("seek tavikCD to %1").arg(QLatin1String(c.position)));
        EXPECT_EQ(ask(QStringLiteral("status tavikCD position")), QLatin1String(c.inFormat));
        EXPECT_EQ(ask(QStringLiteral("status tavikCD current track")), QLatin1String(c.track));
        ask(QStringLiteral("set tavikCD time format msf"));
        EXPECT_EQ(ask(QStringLiteral("status tavikCD position")), QLatin1String(c.msf));
    }
    ask(QStringLiteral("seek tavikCD to end"));
    EXPECT_EQ(ask(QStringLiteral("status tavikCD position")), QStringLiteral("00:38:00"));
    ask(QStringLiteral("seek tavikCD to start"));
    EXPECT_EQ(ask(QStringLiteral("status tavikCD position")), QStringLiteral("00:02:00"));

    const std::pair<const char*, Error> refused[] = {
        {"seek tavikCD to 00:38:01", Error::BadArgument},     // past the lead-out
        {"seek tavikCD to 1:x", Error::BadArgument},
        {"seek tavikCD to", Error::MissingArgument},
        {"play tavikCD from 00:30:00 to 00:29:00", Error::BadArgument},
        {"play tavikCD at 00:03:00", Error::UnknownKeyword},
        {"play tavikCD wait", Error::WaitNotPossible},
        {"play tavikCD from 00:03:00", Error::SoundOutputUnavailable},
        {"set tavikCD time format frames", Error::BadArgument},
        {"status tavikCD length track x", Error::BadArgument},
        {"record tavikCD", Error::UnsupportedCommand},
    };
    for (const auto& [command, error] : refused) EXPECT_EQ(send(QLatin1String(command)), toCode(error)) << command;
    ask(QStringLiteral("set tavikCD time format tmsf"));
    EXPECT_EQ(send(QStringLiteral("seek tavikCD to 5")), toCode(Error::BadArgument));  // no track 5
    EXPECT_EQ(ask(QStringLiteral("status tavikCD mode")), QStringLiteral("stopped"));
}

TEST_F(CdAudioCommands, OpensListedUnitsOnlyAndTheDefaultUnitWithoutElement) {
    QDir().mkpath(options.configFolder);
    const QString e = cd::test::writeImage(dir.path(), QStringLiteral("e"), {750});
    const QString f = cd::test::writeImage(dir.path(), QStringLiteral("f"), {750, 750});
    cd::test::writeText(options.configFolder, QStringLiteral("CDDRIVES.INI"),
                        QStringLiteral("[CDDRIVES]\nE=%1\nF=%2\n").arg(e, f).toUtf8());
    engine = std::make_unique<Engine>(options);
    EXPECT_EQ(send(QStringLiteral("open cdaudio!G: alias tavikCD")), toCode(Error::NoSuchCdUnit));
    EXPECT_EQ(send(QStringLiteral("open cdaudio!nonsense alias tavikCD")), toCode(Error::NoSuchCdUnit));
    const std::pair<QChar, const char*> defaults[] = {{QChar(), "1"}, {u'f', "2"}};
    for (const auto& [letter, tracks] : defaults) {
        engine->setDefaultCdUnit(letter);
        ask(QStringLiteral("open cdaudio alias tavikCD"));
        EXPECT_EQ(ask(QStringLiteral("status tavikCD number of tracks")), QLatin1String(tracks));
        ask(QStringLiteral("close tavikCD"));
    }
    ask(QStringLiteral("open cdaudio!f: alias tavikCD"));
    EXPECT_EQ(ask(QStringLiteral("status tavikCD number of tracks")), QStringLiteral("2"));
    EXPECT_EQ(ask(QStringLiteral("capability tavikCD device type")), QStringLiteral("cdaudio"));
    EXPECT_EQ(ask(QStringLiteral("capability tavikCD can play")), QStringLiteral("true"));
    EXPECT_EQ(ask(QStringLiteral("capability tavikCD can record")), QStringLiteral("false"));
    // An image has no tray: it cannot open, and its disc is already in.
    EXPECT_EQ(send(QStringLiteral("set tavikCD door open")), toCode(Error::DoorNotSupported));
    EXPECT_EQ(engine->errorText(toCode(Error::DoorNotSupported)), QStringLiteral("このドライブはトレイを開閉できません。"));
    EXPECT_EQ(send(QStringLiteral("set tavikCD door closed")), 0);
    // A unit whose image is gone opens, and says there is no disc.
    QFile::remove(e);
    ask(QStringLiteral("open cdaudio!E: alias tavikCD2"));
    EXPECT_EQ(ask(QStringLiteral("status tavikCD2 media present")), QStringLiteral("false"));
}

TEST_F(CdAudioCommands, FakeDriveFaultsAnswerAtOnceAndClearly) {
    cd::FakeDiscDrive fake;
    fake.disc.tracks = {{1, 150, true}, {2, 900, true}};
    fake.disc.leadOut = 1500;

    cd::FakeDiscDrive empty = fake;
    empty.hasDisc = false;
    openFake(empty);
    EXPECT_EQ(ask(QStringLiteral("status tavikCD ready")), QStringLiteral("false"));
    EXPECT_EQ(ask(QStringLiteral("status tavikCD media present")), QStringLiteral("false"));
    EXPECT_EQ(ask(QStringLiteral("status tavikCD mode")), QStringLiteral("not ready"));
    for (const char* command : {"status tavikCD length", "info tavikCD identity", "play tavikCD", "seek tavikCD to start"})
        EXPECT_EQ(send(QLatin1String(command)), toCode(Error::NoDisc)) << command;

    cd::FakeDiscDrive doorOpen = fake;
    doorOpen.doorOpen = true;
    openFake(doorOpen);
    EXPECT_EQ(ask(QStringLiteral("status tavikCD mode")), QStringLiteral("open"));
    EXPECT_EQ(ask(QStringLiteral("status tavikCD media present")), QStringLiteral("false"));
    ask(QStringLiteral("set tavikCD door closed"));
    EXPECT_EQ(ask(QStringLiteral("status tavikCD ready")), QStringLiteral("true"));
    EXPECT_EQ(ask(QStringLiteral("status tavikCD length")), QStringLiteral("00:17:74"));

    cd::FakeDiscDrive spinningUp = fake;
    spinningUp.notReadyFor = 4;
    openFake(spinningUp);
    EXPECT_EQ(ask(QStringLiteral("status tavikCD media present")), QStringLiteral("true"));
    int asked = 1;
    while (ask(QStringLiteral("status tavikCD ready")) != u"true" && asked < 10) ++asked;
    EXPECT_GT(asked, 1);
    EXPECT_LT(asked, 10);
    EXPECT_EQ(ask(QStringLiteral("status tavikCD number of tracks")), QStringLiteral("2"));
}

// A data disc's test play must not look like music: nothing plays (no sound
// server is needed) and the position lands at the end, past the disc length.
TEST_F(CdAudioCommands, APlayOfDataTracksAloneIsOverAtOnceAtTheirEnd) {
    cd::FakeDiscDrive data;
    data.disc.tracks = {{1, 150, false}};
    data.disc.leadOut = 900;
    openFake(data);
    ask(QStringLiteral("set tavikCD time format tmsf"));
    ASSERT_EQ(send(QStringLiteral("play tavikCD from 1")), 0);
    ask(QStringLiteral("set tavikCD time format msf"));
    EXPECT_EQ(ask(QStringLiteral("status tavikCD length")), QStringLiteral("00:09:74"));
    EXPECT_EQ(ask(QStringLiteral("status tavikCD position")), QStringLiteral("00:12:00"));
    EXPECT_EQ(ask(QStringLiteral("status tavikCD mode")), QStringLiteral("stopped"));
}
