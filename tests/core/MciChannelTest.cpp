#include "core/DeviceCommand.h"
#include "core/MciChannel.h"

#include "core/NoticeRelay.h"
#include "core/NoticeRouting.h"
#include "core/WindowMessages.h"
#include "support/ScriptedEngine.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace sondex {
namespace {

class MciChannelTest : public ::testing::Test {
protected:
    MciChannelTest() : channel(engine, [this] { ++eventPasses; }) {}

    test::ScriptedEngine engine;
    MciChannel channel;
    int eventPasses = 0;
};

TEST_F(MciChannelTest, OnlyTheRecordingNotifyLeavesPendingMessagesAlone) {
    // The recording's notify-record must not let a queued notice in before it returns.
    EXPECT_EQ(channel.SendRecNotify(QStringLiteral("record tavikREC")), 0);
    EXPECT_EQ(eventPasses, 0);
    channel.SendCdNotify(QStringLiteral("play tavikCD"));
    channel.SendRecWait(QStringLiteral("stop tavikREC"));
    EXPECT_EQ(eventPasses, 2);
    EXPECT_EQ(engine.sent, QStringList({QStringLiteral("record tavikREC Notify"), QStringLiteral("play tavikCD notify"),
                                        QStringLiteral("stop tavikREC wait")}));
}

// Each alias has its slots: no text sends the prepared command as it stands, and the last reply stays.
TEST_F(MciChannelTest, SlotsArePerAliasSendThePreparedCommandAndKeepTheLastReply) {
    const QString open = QStringLiteral("Open \"/home/u/データ/sondex.wav\" alias tavikREC buffer 6 wait");
    channel.commandSlot(Alias::Rec) = open;
    channel.SendRecWait();
    channel.commandSlot(Alias::Mid) = QStringLiteral("Open \"/m/a b.mid\" alias tavikMID wait");
    channel.SendMidWait();
    EXPECT_EQ(engine.sent, QStringList({open, QStringLiteral("Open \"/m/a b.mid\" alias tavikMID wait")}));

    engine.answer(QStringLiteral("status tavikREC position"), {0, QStringLiteral("12345")});
    engine.answer(QStringLiteral("status tavikCD ready"), {0, QStringLiteral("true")});
    channel.SendRecWait(QStringLiteral("status tavikREC position"));
    channel.SendCdWait(QStringLiteral("status tavikCD ready"));
    EXPECT_EQ(channel.replySlot(Alias::Rec), QStringLiteral("12345"));
    EXPECT_EQ(channel.replySlot(Alias::Cd), QStringLiteral("true"));
    EXPECT_EQ(channel.replySlot(Alias::Mid), QString());
    EXPECT_EQ(channel.commandSlot(Alias::Cd), QStringLiteral("status tavikCD ready wait"));
}

TEST_F(MciChannelTest, BooleanAndNumberRepliesFollowTheTrimRules) {
    struct Case {
        const char* reply;
        bool isTrue;
        int number;
    };
    for (const Case& c : {Case{"true", true, 0}, Case{"  TrUe \t", true, 0}, Case{"", false, 0},
                          Case{"false", false, 0}, Case{"truex", false, 0}, Case{" 42 ", false, 42},
                          Case{"-7", false, -7}, Case{"12ms", false, 0}}) {
        engine.answer(QStringLiteral("q"), {0, QString::fromLatin1(c.reply)});
        channel.SendMidWait(QStringLiteral("q"));
        EXPECT_EQ(channel.replyIsTrue(Alias::Mid), c.isTrue) << c.reply;
        EXPECT_EQ(channel.replyNumber(Alias::Mid), c.number) << c.reply;
    }
}

TEST_F(MciChannelTest, AClosedChannelSendsNothingAndReturnsMinusOne) {
    channel.close();
    EXPECT_TRUE(channel.isClosed());
    EXPECT_EQ(channel.SendRecWait(QStringLiteral("stop tavikREC")), MciChannel::kChannelClosed);
    EXPECT_EQ(channel.SendCdNotify(QStringLiteral("play tavikCD")), -1);
    EXPECT_EQ(channel.SendMidWait(), -1);
    EXPECT_TRUE(engine.sent.isEmpty());
    EXPECT_EQ(eventPasses, 0);
}

TEST_F(MciChannelTest, NoticesReachTheMainWindowUnderTheirAliasesMessages) {
    QObject mainWindow;
    NoticeRelay sub0(QStringLiteral("TTAVIK_SONDEX_SUB0"), msg::MusicNotice);
    NoticeRelay sub1(QStringLiteral("TTAVIK_SONDEX_SUB1"), msg::CdNotice);
    QList<QVariantList> received;
    const auto onMessage = [&](int message, qint64 w, qint64 l) { received.append({message, w, l}); };
    QObject::connect(&sub0, &NoticeRelay::forwarded, &mainWindow, onMessage);
    QObject::connect(&sub1, &NoticeRelay::forwarded, &mainWindow, onMessage);
    routeDeviceNotices(channel, mainWindow, [&](qint64 w, qint64 l) { onMessage(msg::MM_MCINOTIFY, w, l); },
                       sub0, sub1);

    channel.SendRecNotify(QStringLiteral("record tavikREC"));
    channel.SendCdNotify(QStringLiteral("play tavikCD from 1 to 2"));
    channel.SendMidNotify(QStringLiteral("play tavikMID"));
    test::ScriptedEngine::postNotice(engine.targets[0], 4, 1);
    test::ScriptedEngine::postNotice(engine.targets[1], 1, 2);
    test::ScriptedEngine::postNotice(engine.targets[2], 8, 3);
    EXPECT_TRUE(received.isEmpty());  // notices come through the event loop, never inside the send
    QCoreApplication::processEvents();

    ASSERT_EQ(received.size(), 3);
    EXPECT_EQ(received[0], QVariantList({953, qint64(4), qint64(1)}));
    EXPECT_EQ(received[1], QVariantList({1035, qint64(1), qint64(2)}));
    EXPECT_EQ(received[2], QVariantList({1034, qint64(8), qint64(3)}));
}

TEST(DeviceCommandTest, CommandsNameTheAliasAndQuotePathsWithDoubledQuotes) {
    EXPECT_EQ(deviceCommand(u"status", Alias::Rec, u"position"), QStringLiteral("status tavikREC position"));
    EXPECT_EQ(deviceCommand(u"stop", Alias::Cd), QStringLiteral("stop tavikCD"));
    EXPECT_EQ(deviceCommand(u"save", Alias::Rec, quotedPath(QStringLiteral("/r/a\" wait.wav"))),
              QStringLiteral("save tavikREC \"/r/a\"\" wait.wav\""));
}

}  // namespace
}  // namespace sondex
