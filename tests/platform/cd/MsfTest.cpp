#include "platform/cd/Msf.h"

#include <gtest/gtest.h>

namespace sondex::cd {
namespace {

TEST(Msf, SumAndDifferenceCarryAtOneHundredAsTheRecorderAlwaysHas) {
    EXPECT_EQ(msfAdd(QStringLiteral("59:59:99"), QStringLiteral("00:00:01"), false), u"60:00:00");
    EXPECT_EQ(msfAdd(QStringLiteral("05:30:50"), QStringLiteral("03:40:60"), true), u"09:10:10");
    EXPECT_EQ(msfAdd(QStringLiteral("00:02:74"), QStringLiteral("00:00:01"), false), u"00:02:75");
    EXPECT_EQ(msfSub(QStringLiteral("10:00:00"), QStringLiteral("00:01:00")), u"09:59:00");
    EXPECT_EQ(msfSub(QStringLiteral("00:01:05"), QStringLiteral("00:00:10")), u"00:00:95");
    EXPECT_EQ(msfAdd(QStringLiteral("123:59:00"), QStringLiteral("00:01:00"), false), u"124:00:00");
}

TEST(Msf, PositionsNormaliseAFrameFieldOfSeventyFiveOrMore) {
    EXPECT_EQ(msfFrames(QStringLiteral("00:05:80")), msfFrames(QStringLiteral("00:06:05")));
    EXPECT_EQ(msfText(msfFrames(QStringLiteral("00:59:99"))), u"01:00:24");
    EXPECT_EQ(msfText(150), u"00:02:00");
    EXPECT_EQ(msfText(100 * 60 * 75 + 74), u"100:00:74");
}

TEST(Msf, TextsThatAreNotTimesNeverFail) {
    for (const char* text : {"", ":", "ab:cd:ef", "99999999999999999999999:00:00", "-5:-3:-1", "1:2"}) {
        const QString t = QString::fromLatin1(text);
        msfFrames(t);
        msfAdd(t, t, true);
        msfSub(t, QStringLiteral("00:00:01"));
    }
    EXPECT_EQ(msfFrames(QStringLiteral("ab:01:02")), 77);
}

}  // namespace
}  // namespace sondex::cd
