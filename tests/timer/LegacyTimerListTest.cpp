// The older version's timer list becomes the first day group, and is never
// lost when that move fails.
#include "timer/LegacyTimerList.h"
#include "support/FileBytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

class LegacyTimerListTest : public ::testing::Test {
protected:
    QString folder() const { return dir.path() + u'/'; }
    QString legacy() const { return folder() + QStringLiteral("SONDEXJK.LIS"); }
    QString firstGroup() const { return folder() + QStringLiteral("DAY000.day"); }
    QTemporaryDir dir;
};

TEST_F(LegacyTimerListTest, TheOldListBecomesTheFirstGroupOnceAndIsKeptWhenTheMoveFails) {
    const auto failing = [](const QString&, const QString&) { return false; };
    ASSERT_TRUE(test::writeBytes(legacy(), "0700 0800 44S16\r\n"));
    adoptLegacyTimerList(folder(), QStringLiteral("SONDEX"), failing);
    EXPECT_EQ(test::readBytes(legacy()), QByteArray("0700 0800 44S16\r\n"));  // kept for the next start

    adoptLegacyTimerList(folder(), QStringLiteral("SONDEX"));
    EXPECT_FALSE(QFile::exists(legacy()));
    EXPECT_EQ(test::readBytes(firstGroup()), QByteArray("0700 0800 44S16\r\n"));

    // With the first group already there, a stray old list goes and the group stays.
    ASSERT_TRUE(test::writeBytes(legacy(), "old"));
    adoptLegacyTimerList(folder(), QStringLiteral("SONDEX"), failing);
    EXPECT_FALSE(QFile::exists(legacy()));
    EXPECT_EQ(test::readBytes(firstGroup()), QByteArray("0700 0800 44S16\r\n"));
}

}  // namespace
}  // namespace sondex
