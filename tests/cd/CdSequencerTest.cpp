// The CD sequencer over a scripted CD device whose plays end when the test
// says so (or when they are stopped), scripted boxes and two units holding a
// three-track disc: how the list is walked, how requests are carried out,
// and what a failed entry leaves behind.
#include "cd/CdDeviceAccess.h"
#include "cd/CdDriveSelection.h"
#include "cd/CdLists.h"
#include "cd/CdPrompts.h"
#include "cd/CdSequencer.h"
#include "cd/CdUnitQueries.h"
#include "core/MciChannel.h"
#include "core/RecorderFlags.h"
#include "core/RecordingPrompts.h"
#include "core/RecordingSession.h"
#include "core/Settings.h"
#include "core/WindowMessages.h"
#include "support/PlayingDevice.h"
#include "ScriptedCdPrompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace sondex {
namespace {

class AnyDisc final : public CdUnitQueries {
public:
    bool hasReadableDisc(QChar) override { return true; }
    QString albumTitle(QChar) override { return {}; }
};

class CdSequencerTest : public ::testing::Test {
protected:
    CdSequencerTest() {
        settings.setText(Setting::TEMPALL, folder.path() + u'/');
        // Three tracks of three minutes from 00:02:00; the disc ends at 09:02:00.
        answer("info tavikCD identity wait", "255");
        answer("status tavikCD ready wait", "true");
        answer("status tavikCD media present wait", "true");
        answer("status tavikCD length wait", "09:00:00");
        answer("status tavikCD number of tracks wait", "3");
        answer("status tavikCD current track wait", "1");
        at("00:02:10");
        for (int t = 1; t <= 3; ++t) {
            const QString start = QStringLiteral("0%1:02:00").arg((t - 1) * 3);
            answer(QStringLiteral("status tavikCD position track %1 wait").arg(t), start);
            answer(QStringLiteral("status tavikCD length track %1 wait").arg(t), QStringLiteral("03:00:00"));
        }
        answer("status tavikREC position wait", "1500");
        answer("capability tavikREC", "true");
        channel.setNoticeTarget(Alias::Cd, {&receiver, [this](qint64 code, qint64 id) {
                                                sequencer.onDeviceNotice(msg::CdNotice, code, id);
                                            }});
        drives.setVolumes({{u'E', QStringLiteral("/dev/sr0")}, {u'F', QStringLiteral("/dev/sr1")}}, {});
        drives.selectInitial();
        followSelection(access, drives);
        for (const char* entry : {" E:1", " E:2", " E:3"}) lists.appendSearch(QString::fromUtf8(entry));
        lists.useAsSelection(CdLists::Source::Search, kSearchListCaption);
    }

    void answer(const QString& command, const QString& reply, int result = 0) {
        cd.script.answer(command, {result, reply});
    }
    void answer(const char* command, const char* reply, int result = 0) {
        answer(QString::fromUtf8(command), QString::fromUtf8(reply), result);
    }
    // Where the drive says it is.
    void at(const char* position) { answer("status tavikCD position wait", position); }
    void settle() {
        for (int k = 0; k < 20; ++k) QCoreApplication::processEvents();
    }
    void start() {
        sequencer.TR0Click();
        settle();
    }
    void endPlay() {
        cd.finish(1);
        settle();
    }
    QStringList plays() const { return cd.script.sent.filter(QStringLiteral("play tavikCD")); }
    QString lastPlay() const { return plays().isEmpty() ? QString() : plays().constLast(); }

    QTemporaryDir folder;
    Settings settings{QDir::tempPath() + u'/'};
    test::PlayingDevice cd{QStringLiteral("tavikCD")};
    int eventRuns = 0;
    std::function<void()> duringEvents;
    MciChannel channel{cd, [this] {
                           ++eventRuns;
                           if (duringEvents) duringEvents();
                       }};
    QObject receiver;
    RecorderFlags flags;
    test::ScriptedCdPrompts prompts;
    AnyDisc units;
    CdDeviceAccess access{channel, settings, prompts, units, folder.path() + u'/', [] {}};
    CdDriveSelection drives{settings, QStringLiteral("SONDEX")};
    CdLists lists;
    RecordingSession session{channel, settings, flags, prompts, folder.path() + u'/',
                             RecordingHooks{{}, {}, {}, {}, {}, std::chrono::milliseconds(0)}};
    int logsShown = 0;
    CdSequencer sequencer{channel, session, access, drives, lists, settings, prompts, flags,
                          folder.filePath(QStringLiteral("SONDEXM0.LIS")),
                          CdSequencer::Hooks{[] {}, {}, [this] { ++logsShown; }, {}}};
    const QString track1 = QStringLiteral("play tavikCD from 1 to 2 notify");
    const QString track2 = QStringLiteral("play tavikCD from 2 to 3 notify");
    const QString track3 = QStringLiteral("play tavikCD from 3 notify");
};

// Skip on the last entry wraps to the first unless the entries are being
// recorded; so does the natural end with repeat on. Back on the first wraps to the last.
TEST_F(CdSequencerTest, SkipAndBackWrapOnlyWithoutRecordingAlong) {
    struct Case {
        bool recordAlong, repeat;
        int from;
        void (CdSequencer::*request)();
        QString next;  // empty: the sequence ends
    };
    const Case cases[] = {
        {false, false, 2, &CdSequencer::Button15Click, track1},
        {true, false, 2, &CdSequencer::Button15Click, {}},
        {false, false, 0, &CdSequencer::Button14Click, track3},
        {true, true, 0, &CdSequencer::Button14Click, {}},
        {false, true, 2, nullptr, track1},
        {false, false, 2, nullptr, {}},
    };
    for (const Case& c : cases) {
        sequencer.setRecordAlong(c.recordAlong);
        settings.setNumber(Setting::REPEAT, c.repeat ? 1 : 0);
        lists.selectEntry(c.from);
        start();
        const qsizetype before = plays().size();
        if (c.request) {
            (sequencer.*c.request)();
            settle();
        } else {
            endPlay();
        }
        SCOPED_TRACE(c.next.toStdString());
        EXPECT_EQ(sequencer.isPlaying(), !c.next.isEmpty());
        EXPECT_EQ(c.next.isEmpty() ? plays().size() : 0, c.next.isEmpty() ? before : 0);
        EXPECT_EQ(c.next.isEmpty() ? c.next : lastPlay(), c.next);
        sequencer.Button16Click();
        settle();
        ASSERT_FALSE(sequencer.isPlaying());
    }
}

TEST_F(CdSequencerTest, AnEntryOfAMissingUnitOrTrackIsReportedAndSkipped) {
    lists.appendSearch(QStringLiteral(" Q:1"));
    lists.appendSearch(QStringLiteral(" E:7"));
    lists.appendSearch(QStringLiteral(" F:2"));
    lists.useAsSelection(CdLists::Source::Search, kSearchListCaption);
    lists.selectEntry(3);
    start();
    EXPECT_EQ(prompts.texts(), (QStringList{QStringLiteral("再生エラー：\n 存在しないCDドライブが選択されました・・・"),
                                          QStringLiteral("再生エラー： [ E:]ドライブ\n1 - 3トラックまでです。\n"
                                                         "7トラックは、ありません・・・")}));
    EXPECT_EQ(lastPlay(), track2);
    EXPECT_EQ(sequencer.labels().drive, QStringLiteral(" F:"));
    sequencer.Button16Click();
    settle();
    EXPECT_EQ(drives.selectedIndex(), 0) << "the unit chosen at the start is chosen again";
}

TEST_F(CdSequencerTest, IntroAndTrackEndPlusMoveTheEndButNeverPastTheDisc) {
    settings.setNumber(Setting::INTORO, 30);
    start();
    EXPECT_EQ(sequencer.labels().end, QStringLiteral("00:32:00"));
    sequencer.Button16Click();
    settle();

    settings.setNumber(Setting::INTORO, 0);
    settings.setNumber(Setting::Track_END_PLUS, 10);
    lists.selectEntry(0);
    start();
    EXPECT_EQ(sequencer.labels().end, QStringLiteral("03:11:00"));
    // The track plays to its last sample: its range ends it at the next track, not a second before.
    at("03:01:50");
    sequencer.Timer2Timer();
    EXPECT_NE(cd.script.sent.constLast(), QStringLiteral("stop tavikCD wait"));
    sequencer.Button16Click();
    settle();
    lists.selectEntry(2);
    start();
    EXPECT_EQ(sequencer.labels().end, QStringLiteral("09:02:00")) << "the last track ends with the disc";

    // The polling stops the CD once it reaches the end.
    at("09:02:00");
    sequencer.Timer2Timer();
    EXPECT_EQ(cd.script.sent.constLast(), QStringLiteral("stop tavikCD wait"));
}

TEST_F(CdSequencerTest, PauseMovesTheResumePointWithinTheTrackAndStopWhilePausedSaves) {
    sequencer.setRecordAlong(true);
    lists.selectEntry(1);
    start();
    at("03:05:50");
    sequencer.Timer2Timer();
    sequencer.Button13Click();
    settle();
    ASSERT_TRUE(sequencer.isPaused());
    EXPECT_TRUE(sequencer.Timer2().isActive());
    sequencer.moveResumePosition(1, -1);
    sequencer.moveResumePosition(1, -1);
    EXPECT_EQ(sequencer.labels().position, QStringLiteral("03:03:50"));
    sequencer.moveResumePosition(0, -1);
    EXPECT_EQ(sequencer.labels().position, QStringLiteral("03:02:00")) << "never before the track start";
    sequencer.ButtonCDPOSINIClick();
    sequencer.moveResumePosition(2, 60);
    EXPECT_EQ(sequencer.labels().position, QStringLiteral("03:06:10"));
    sequencer.Button17Click();
    sequencer.Timer2Timer();
    EXPECT_FALSE(sequencer.isPaused());
    EXPECT_EQ(lastPlay(), QStringLiteral("play tavikCD from 03:06:10 to 06:02:00 notify"));
    EXPECT_EQ(cd.script.sent.constLast(), QStringLiteral("record tavikREC"));

    sequencer.Button13Click();
    settle();
    ASSERT_TRUE(sequencer.isPaused());
    sequencer.Button16Click();
    sequencer.Timer2Timer();  // one polling period
    settle();
    EXPECT_FALSE(sequencer.isPlaying());
    EXPECT_EQ(cd.script.sent.filter(QStringLiteral("save tavikREC")).size(), 1);
    EXPECT_EQ(logsShown, 1);
}

TEST_F(CdSequencerTest, AnotherEntryChosenWhilePlayingPlaysNext) {
    start();
    sequencer.ComboBox1Change(2);
    settle();
    EXPECT_EQ(lastPlay(), track3);
    EXPECT_TRUE(sequencer.isPlaying());
}

// Stop pressed at any point where an advance lets events run ends the
// sequence, and whatever was prepared is saved or cleaned away.
TEST_F(CdSequencerTest, StopDuringEveryStepOfTheAdvanceEndsTheSequence) {
    sequencer.setRecordAlong(true);
    lists.appendSearch(QStringLiteral(" E:1"));  // the second entry is always one more to play
    lists.useAsSelection(CdLists::Source::Search, kSearchListCaption);
    start();
    const int before = eventRuns;
    endPlay();
    const int runsPerAdvance = eventRuns - before;
    ASSERT_GT(runsPerAdvance, 10);
    for (int step = 1; step <= runsPerAdvance; ++step) {
        lists.selectEntry(0);
        start();
        int runs = 0;
        duringEvents = [&] {
            if (++runs == step) sequencer.Button16Click();
        };
        endPlay();
        duringEvents = nullptr;
        settle();
        SCOPED_TRACE(step);
        EXPECT_FALSE(sequencer.isPlaying());
        EXPECT_FALSE(session.isOpen(RecordingKind::Cd));
        EXPECT_TRUE(session.templatePath().isEmpty());
    }
}

TEST_F(CdSequencerTest, AFailedStartLeavesNoRecordingBehind) {
    sequencer.setRecordAlong(true);
    answer("record tavikREC", "", 277);
    start();
    ASSERT_FALSE(prompts.texts().isEmpty());
    EXPECT_EQ(prompts.texts().first(), QStringLiteral("録音エラー： [ E:]ドライブ\n 録音開始に失敗しました。"));
    EXPECT_FALSE(sequencer.isPlaying()) << "no entry could record";
    EXPECT_FALSE(session.isOpen(RecordingKind::Cd));
    EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("*.wav")}).isEmpty());
    EXPECT_TRUE(plays().filter(QStringLiteral("notify")).isEmpty());
}

TEST_F(CdSequencerTest, TrackFilesJoinTheSearchListAndAForwardedOneStartsPlay) {
    SwitchRequest request;
    request.cdTracks = {{u'F', 2}};
    request.PC = true;
    sequencer.applySwitches(request, SwitchSource::StartUp);
    EXPECT_FALSE(sequencer.isPlaying()) << "the start-up leaves the start to the automatic start";
    EXPECT_EQ(lists.selection().size(), 4);
    EXPECT_EQ(lists.selectedText(), QStringLiteral(" F:2"));
    EXPECT_TRUE(sequencer.runAutomaticStart(request));
    settle();
    EXPECT_EQ(lastPlay(), track2);
    EXPECT_EQ(sequencer.labels().drive, QStringLiteral(" F:"));
}

}  // namespace
}  // namespace sondex
