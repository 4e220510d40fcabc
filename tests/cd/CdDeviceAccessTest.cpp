// The CD device access over a scripted device, scripted drive letters and
// scripted message boxes: what a disc check decides, the commands it sends,
// and the times of a track.
#include "cd/CdCheckResults.h"
#include "cd/CdDeviceAccess.h"
#include "cd/CdPrompts.h"
#include "cd/CdUnitQueries.h"
#include "core/MciChannel.h"
#include "core/Settings.h"
#include "support/FileBytes.h"
#include "support/ScriptedEngine.h"
#include "ScriptedCdPrompts.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace sondex {
namespace {

void writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    ASSERT_TRUE(test::writeBytes(dir.filePath(QString::fromUtf8(name)), bytes));
}

using Prompts = test::ScriptedCdPrompts;

class ScriptedUnits final : public CdUnitQueries {
public:
    bool hasReadableDisc(QChar letter) override { return readable && letter == u'E'; }
    QString albumTitle(QChar letter) override { return titles.value(letter.toUpper()); }

    bool readable = true;
    QHash<QChar, QString> titles;
};

class CdDeviceAccessTest : public ::testing::Test {
protected:
    CdDeviceAccessTest() {
        settings.setNumber(Setting::NR_WAIT, 25);
        access.setCdElement(QStringLiteral("!E:"));
        access.setDriveLabel(QStringLiteral(" E:"));
        scriptAudioCd();
    }

    // An audio CD of 12 tracks whose test play moves on.
    void scriptAudioCd() {
        answer("info tavikCD identity wait", 0, "255");
        answer("status tavikCD ready wait", 0, " True ");
        answer("status tavikCD media present wait", 0, "TRUE");
        answer("status tavikCD length wait", 0, "45:00:00");
        answer("status tavikCD number of tracks wait", 0, "12");
        answer("status tavikCD current track wait", 0, "1");
        answer("status tavikCD position wait", 0, "00:02:10");
        answer("play tavikCD from 1", 0);
    }

    void answer(const char* command, int result, const char* reply = "") {
        engine.answer(QString::fromUtf8(command), {result, QString::fromUtf8(reply)});
    }
    qsizetype sent(const QString& command) const { return engine.sent.count(command); }
    QStringList lastSent(int n) const { return engine.sent.mid(engine.sent.size() - n); }

    QTemporaryDir config;
    Settings settings{QDir::tempPath() + u'/'};
    test::ScriptedEngine engine;
    int eventRuns = 0;
    MciChannel channel{engine, [this] { ++eventRuns; }};
    Prompts prompts;
    ScriptedUnits units;
    CdDeviceAccess access{
        channel, settings, prompts, units, config.path() + u'/', [this] { ++eventRuns; }};
    const QString play = QStringLiteral("play tavikCD from 1");
    const QStringList stopAndClose{QStringLiteral("stop tavikCD wait"),
                                   QStringLiteral("close tavikCD wait")};
};

TEST_F(CdDeviceAccessTest, AnAudioCdIsWokenCheckedAndClosedWithTheseCommands) {
    EXPECT_EQ(access.CheckCdDisc(false), QString());
    const QStringList expected =
        QStringLiteral(
            "open cdaudio!E: alias tavikCD wait|set tavikCD door closed wait|"
            "status tavikCD ready wait|stop tavikCD wait|close tavikCD wait|"
            "open cdaudio!E: alias tavikCD wait|info tavikCD identity wait|"
            "status tavikCD ready wait|set tavikCD time format msf wait|"
            "status tavikCD media present wait|status tavikCD length wait|"
            "status tavikCD number of tracks wait|set tavikCD time format tmsf wait|"
            "play tavikCD from 1|set tavikCD time format msf wait|"
            "status tavikCD current track wait|stop tavikCD wait|"
            "status tavikCD position wait|stop tavikCD wait|close tavikCD wait")
            .split(u'|');
    EXPECT_EQ(engine.sent, expected);
    EXPECT_EQ(access.disc().identity, u"FF");
    EXPECT_EQ(access.disc().firstTrack, 1);
    EXPECT_EQ(access.disc().trackCount, 12);
    EXPECT_EQ(access.disc().endPosition, u"45:00:00");  // the disc's length until an item plays
    EXPECT_TRUE(prompts.boxes.isEmpty());
    // Each of the 20 sends lets the window run, and so does the check at six points of its own.
    EXPECT_EQ(eventRuns, 26);
}

TEST_F(CdDeviceAccessTest, TheCacheTakesAKnownDiscsTracksWithoutTheTestPlay) {
    ASSERT_EQ(access.CheckCdDisc(true), QString());
    answer("status tavikCD number of tracks wait", 0, "99");
    access.disc().firstTrack = access.disc().trackCount = 0;
    engine.sent.clear();

    EXPECT_EQ(access.CheckCdDisc(true), QString());
    EXPECT_EQ(lastSent(4),
              QStringLiteral("open cdaudio!E: alias tavikCD wait|info tavikCD identity wait|"
                             "stop tavikCD wait|close tavikCD wait")
                  .split(u'|'));
    EXPECT_EQ(access.disc().firstTrack, 1);
    EXPECT_EQ(access.disc().trackCount, 12);

    // Without the cache the disc is examined afresh.
    EXPECT_EQ(access.CheckCdDisc(false), QString());
    EXPECT_EQ(sent(play), 1);
    EXPECT_EQ(access.disc().trackCount, 99);
}

TEST_F(CdDeviceAccessTest, ANotReadyDriveCostsOneNoticeOfNrWaitSecondsAndTheCheckGoesOn) {
    answer("status tavikCD ready wait", 0, "false");
    // The drive gets ready while the notice is up.
    prompts.onBox = [this] { answer("status tavikCD ready wait", 0, "true"); };
    EXPECT_EQ(access.CheckCdDisc(false), QString());
    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_EQ(prompts.boxes[0].text,
              u"Not Ready エラー： [ "
              u"E:]ドライブ\n\nＣＤドライブの準備が出来ていません。\n\n暫く停止して様子をみます。");
    EXPECT_EQ(prompts.boxes[0].seconds, 25);
    EXPECT_FALSE(prompts.boxes[0].abortable);
}

TEST_F(CdDeviceAccessTest, EveryFailureSaysWhyAndLeavesTheDeviceStoppedAndClosed) {
    struct Case {
        const char* command;
        int result;
        const char* reply;
        QString expected;
    };
    const QList<Case> cases{
        {"status tavikCD ready wait", 0, "false", cdcheck::kNotReady},
        {"status tavikCD media present wait", 0, "FALSE", cdcheck::kNoMedia},
        {"status tavikCD length wait", 0, "00:00:00", cdcheck::kNoLength},
        {"status tavikCD length wait", 277, "45:00:00", cdcheck::kNoLength},
        {"status tavikCD number of tracks wait", 0, "0", cdcheck::kNoTrackCount},
        {"status tavikCD number of tracks wait", 0, "many", cdcheck::kNoTrackCount},
        {"play tavikCD from 1", 277, "", cdcheck::kTestPlayFailed},
        {"status tavikCD current track wait", 0, "0:00", cdcheck::kNoStartTrack},
        {"status tavikCD position wait", 277, "00:02:10", cdcheck::kNoPosition},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        scriptAudioCd();
        answer(c.command, c.result, c.reply);
        engine.sent.clear();
        EXPECT_EQ(access.CheckCdDisc(false), c.expected);
        EXPECT_EQ(lastSent(2), stopAndClose);
    }

    // A drive without a readable disc is not even opened; a failed open has nothing to close.
    scriptAudioCd();
    units.readable = false;
    engine.sent.clear();
    EXPECT_EQ(access.CheckCdDisc(false), cdcheck::kNoDisc);
    EXPECT_TRUE(engine.sent.isEmpty());
    units.readable = true;
    answer("open cdaudio", 263);
    EXPECT_EQ(access.CheckCdDisc(false), cdcheck::kOpenFailed);
    EXPECT_EQ(engine.sent.last(), u"open cdaudio!E: alias tavikCD wait");
}

TEST_F(CdDeviceAccessTest, ADataDiscIsNoAudioCdAfterOneSearchBoxWhateverTheAnswer) {
    answer("status tavikCD position wait", 0, "45:00:00");  // the test play went nowhere
    for (const BoxAnswer pressed : {BoxAnswer::Ok, BoxAnswer::Abort}) {
        prompts.boxes.clear();
        prompts.answers = {pressed};
        engine.sent.clear();
        EXPECT_EQ(access.CheckCdDisc(true), cdcheck::kNotAudioCd);
        ASSERT_EQ(prompts.boxes.size(), 1);
        EXPECT_EQ(prompts.boxes[0].text,
                  u"E: ドライブ\n音楽CDかどうか、サーチ中・・・\n暫くお待ち下さい・・・");
        EXPECT_EQ(prompts.boxes[0].seconds, 3);
        EXPECT_TRUE(prompts.boxes[0].abortable);
        EXPECT_EQ(sent(play), pressed == BoxAnswer::Ok ? 2 : 1);
        EXPECT_EQ(lastSent(2), stopAndClose);
    }
    // Nor is it remembered as a known disc.
    engine.sent.clear();
    access.CheckCdDisc(true);
    EXPECT_EQ(sent(play), 2);
}

TEST_F(CdDeviceAccessTest, CheckingUntilPlayableRetriesAFailedTestPlayUntilTheUserBreaksOff) {
    answer("play tavikCD from 1", 277);
    prompts.answers = {BoxAnswer::Ok, BoxAnswer::Abort};
    EXPECT_EQ(access.CheckUntilPlayable(false, cdcheck::kAbortForced), cdcheck::kAbortForced);
    EXPECT_EQ(sent(play), 2);
    ASSERT_EQ(prompts.boxes.size(), 2);
    EXPECT_EQ(prompts.boxes[1].text, u"暫くお待ち下さい・・・");
    EXPECT_EQ(prompts.boxes[1].seconds, 3);
    EXPECT_TRUE(prompts.boxes[1].abortable);

    // A test play that works the next time ends the waiting; other results end it at once.
    prompts.onBox = [this] { answer("play tavikCD from 1", 0); };
    EXPECT_EQ(access.CheckUntilPlayable(true, cdcheck::kAbortPressAgain), QString());
    prompts.onBox = nullptr;
    answer("status tavikCD media present wait", 0, "false");
    prompts.boxes.clear();
    EXPECT_EQ(access.CheckUntilPlayable(false, cdcheck::kAbortPressAgain), cdcheck::kNoMedia);
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

TEST_F(CdDeviceAccessTest, TheIdentityIsHexadecimalAndEmptyForAReplyThatIsNoNumber) {
    const QList<QPair<const char*, QString>> cases{
        {"255", QStringLiteral("FF")}, {" 4859 ", QStringLiteral("12FB")},
        {"CDDA", QString()},           {"-1", QString()},
        {"4294967296", QString()},     {"", QString()}};
    for (const auto& [reply, hex] : cases) {
        SCOPED_TRACE(reply);
        answer("info tavikCD identity wait", 0, reply);
        EXPECT_EQ(access.CheckCdDisc(false), QString());
        EXPECT_EQ(access.disc().identity, hex);
    }
}

TEST_F(CdDeviceAccessTest, TheVolumeLabelTakesTheLettersCaseAndIsEmptyWithoutATitle) {
    units.titles[u'E'] = QStringLiteral("Best Of");
    EXPECT_EQ(access.CdVolumeLabel(u'E'), u"[BEST OF]");
    EXPECT_EQ(access.CdVolumeLabel(u'e'), u"[best of]");
    EXPECT_EQ(access.CdVolumeLabel(u'F'), u"[]");
}

TEST_F(CdDeviceAccessTest, TrackTimesEndASecondBeforeTheNextTrackAndTheLastAtTheDiscsEnd) {
    struct Case {
        int n;
        const char* reportedLength;
        QString length, start, end;
    };
    answer("status tavikCD position track 3 wait", 0, "10:00:00");
    answer("status tavikCD position track 4 wait", 0, "14:02:00");
    answer("status tavikCD position track 12 wait", 0, "50:00:00");
    answer("status tavikCD position track 1 wait", 0, "00:02:00");
    answer("status tavikCD length wait", 0, "55:10:00");
    const QList<Case> cases{
        // Shorter than the gap to the next start: the reported length, less a second.
        {3, "04:00:00", QStringLiteral("04:00:00"), QStringLiteral("10:00:00"),
         QStringLiteral("13:59:00")},
        // Running into the next track: the gap, ending a second before the next start.
        {3, "04:30:00", QStringLiteral("04:02:00"), QStringLiteral("10:00:00"),
         QStringLiteral("14:01:00")},
        // The last track runs to the disc's end, the disc length after track 1's start.
        {12, "05:00:00", QStringLiteral("05:12:00"), QStringLiteral("50:00:00"),
         QStringLiteral("55:12:00")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reportedLength);
        engine.answer(QStringLiteral("status tavikCD length track %1 wait").arg(c.n),
                      {0, QString::fromUtf8(c.reportedLength)});
        EXPECT_EQ(access.GetTrackTimes(c.n, 12), c.length);
        EXPECT_EQ(access.disc().trackStart, c.start);
        EXPECT_EQ(access.disc().endPosition, c.end);
    }

    // Without the next start the reported length stands.
    answer("status tavikCD position track 4 wait", 277);
    answer("status tavikCD length track 3 wait", 0, "04:30:00");
    EXPECT_EQ(access.GetTrackTimes(3, 12), u"04:30:00");
    EXPECT_EQ(access.disc().endPosition, u"14:29:00");

    // A track's own queries are asked three times before the times are given up.
    answer("status tavikCD length track 3 wait", 277);
    engine.sent.clear();
    EXPECT_EQ(access.GetTrackTimes(3, 12), QString());
    EXPECT_EQ(sent(QStringLiteral("status tavikCD length track 3 wait")), 3);
    answer("status tavikCD position track 3 wait", 277);
    engine.sent.clear();
    EXPECT_EQ(access.GetTrackTimes(3, 12), QString());
    EXPECT_EQ(access.disc().trackStart, QString());
    EXPECT_EQ(engine.sent, QStringList(3, QStringLiteral("status tavikCD position track 3 wait")));
}

TEST_F(CdDeviceAccessTest, TheSummaryNamesTheTrackOrElseTheDisc) {
    writeFile(config, "CDPLAYER.INI", "[FF]\r\nartist=Artist\r\ntitle=Album\r\n2=Third\r\n");
    ASSERT_EQ(access.CheckCdDisc(false), QString());
    access.disc().volumeLabel = access.CdVolumeLabel(u'E');

    access.ReadDiscTitles(3);
    EXPECT_EQ(access.DiscSummary(), u"Third  Album  Artist");
    access.ReadDiscTitles();
    EXPECT_EQ(access.DiscSummary(), u"--  Album  Artist");

    answer("info tavikCD identity wait", 0, "4859");  // a disc the title file does not know
    ASSERT_EQ(access.CheckCdDisc(false), QString());
    access.ReadDiscTitles(3);
    EXPECT_EQ(access.DiscSummary(), u"ＣＤ番号：12FB []");
}

// The real queries over a units table that lists an image, a missing image
// and nothing for the third letter.
TEST(CdUnitsOnDisk, OnlyAListedImageThatReadsHasADiscAndItsTitle) {
    QTemporaryDir config;
    writeFile(config, "album.bin", QByteArray(2352 * 300, '\0'));
    writeFile(
        config, "album.cue",
        "TITLE \"Best Of\"\nFILE \"album.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    writeFile(config, "CDDRIVES.INI", "[CDDRIVES]\nE=album.cue\nF=gone.cue\n");

    CdUnitsOnDisk units(config.path() + u'/');
    EXPECT_TRUE(units.hasReadableDisc(u'E'));
    EXPECT_TRUE(units.hasReadableDisc(u'e'));
    EXPECT_EQ(units.albumTitle(u'E'), u"Best Of");
    EXPECT_FALSE(units.hasReadableDisc(u'F'));
    EXPECT_EQ(units.albumTitle(u'F'), QString());
    EXPECT_FALSE(units.hasReadableDisc(u'G'));
}

}  // namespace
}  // namespace sondex
