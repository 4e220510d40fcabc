// The frame both sequences run in, over a list whose entries start or fail as
// the test says: what ends it besides the list's end, and which requests and
// notices it takes.
#include "core/DeviceCommand.h"
#include "core/PlaySequence.h"
#include "core/RecorderFlags.h"
#include "core/RecordingPrompts.h"
#include "core/Settings.h"
#include "core/WindowMessages.h"
#include "support/PlayingDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

class ListSequence final : public PlaySequence {
public:
    ListSequence(MciChannel& channel, RecordingSession& session, RecorderFlags& flags)
        : PlaySequence(channel, session, flags, {Alias::Mid, msg::MusicNotice, QStringLiteral("Timer8"), {}, {}},
                       nullptr) {}
    using PlaySequence::ask;
    using PlaySequence::begin;

    RecordingKind kind() const override { return RecordingKind::Music; }
    bool isRunActive() const override { return isPlaying(); }

    QList<bool> starts{true, true, true};
    bool single = false;
    bool repeat = false;
    BoxAnswer answer = BoxAnswer::Ok;  // to a failed entry's box
    QList<int> tried;

private:
    int entryCount() const override { return static_cast<int>(starts.size()); }
    int currentEntry() const override { return current_; }
    void selectEntry(int index) override { current_ = index; }
    bool recordAlong() const override { return false; }
    bool singleMode() const override { return single; }
    bool repeats() const override { return repeat; }
    bool playEntry() override {
        tried.append(current_);
        if (!starts[current_]) return fail(QStringLiteral("no play"));
        channel_.SendMidNotify(deviceCommand(u"play", Alias::Mid));
        return entryPlays();
    }
    void readPosition() override {}
    bool pastEntryEnd() const override { return false; }
    void holdPausePosition() override {}
    void resume() override { leavePause(); }
    BoxAnswer showFailure(const QString&) override { return answer; }

    int current_ = -1;
};

class OkPrompts final : public RecordingPrompts {
public:
    BoxAnswer message(const QString&) override { return BoxAnswer::Ok; }
    BoxAnswer question(const QString&, BoxAnswer answer) override { return answer; }
    std::optional<QString> saveName(const QString&, const QString&) override { return std::nullopt; }
};

struct Rig {
    Rig() {
        channel.setNoticeTarget(Alias::Mid, {&receiver, [this](qint64 code, qint64 id) {
                                                 sequence.onDeviceNotice(msg::MusicNotice, code, id);
                                             }});
    }
    void settle() {
        for (int k = 0; k < 20; ++k) QCoreApplication::processEvents();
    }

    QTemporaryDir folder;
    Settings settings{QDir::tempPath() + u'/'};
    test::PlayingDevice device{QStringLiteral("tavikMID")};
    MciChannel channel{device, [] {}};
    QObject receiver;
    RecorderFlags flags;
    OkPrompts prompts;
    RecordingSession session{channel, settings, flags, prompts, folder.path() + u'/'};
    ListSequence sequence{channel, session, flags};
};

TEST(PlaySequenceTest, ABreakOffOrARoundOfFailuresEndsTheListAndSingleModeEndsItAfterOneEntryButNotOnSkip) {
    struct Case {
        const char* name;
        QList<bool> starts;
        bool single, repeat, skip;
        BoxAnswer answer;
        QList<int> tried;
        bool playsOn;
    };
    const Case cases[] = {
        {"a failed entry, OK", {false, true, true}, false, false, false, BoxAnswer::Ok, {0, 1, 2}, true},
        {"a failed entry, break off", {false, true, true}, false, false, false, BoxAnswer::Abort, {0}, false},
        {"single mode, the end", {true, true, true}, true, false, false, BoxAnswer::Ok, {0}, false},
        {"single mode, skip", {true, true, true}, true, false, true, BoxAnswer::Ok, {0, 1}, true},
        // Round and round the same errors would never end for an absent user.
        {"repeat, every entry fails", {false, false, false}, false, true, false, BoxAnswer::Ok, {0, 1, 2}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.sequence.starts = c.starts;
        rig.sequence.single = c.single;
        rig.sequence.repeat = c.repeat;
        rig.sequence.answer = c.answer;
        rig.sequence.begin(false);
        rig.settle();
        if (c.skip) rig.sequence.ask(PlaySequence::Request::Skip);
        rig.device.finish(1);
        rig.settle();
        EXPECT_EQ(rig.sequence.tried, c.tried);
        EXPECT_EQ(rig.sequence.isPlaying(), c.playsOn);
    }
}

// A resume left while playing would end the sequence at the entry's end.
TEST(PlaySequenceTest, AResumeWhilePlayingAndTheOtherDevicesNoticesAreNotTaken) {
    Rig rig;
    EXPECT_FALSE(rig.sequence.onDeviceNotice(msg::CdNotice, 1, 1));
    rig.sequence.begin(false);
    rig.settle();
    rig.sequence.ask(PlaySequence::Request::Resume);
    EXPECT_EQ(rig.sequence.request(), PlaySequence::Request::None);
    rig.device.finish(1);
    rig.settle();
    EXPECT_EQ(rig.sequence.tried, (QList<int>{0, 1}));
    EXPECT_TRUE(rig.sequence.isPlaying());
}

}  // namespace
}  // namespace sondex
