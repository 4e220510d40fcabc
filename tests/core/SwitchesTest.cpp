#include "core/Switches.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

TEST(SwitchesTest, SwitchesIgnoreCaseAndADashStandsForASlash) {
    const SwitchRequest r = parseSwitches({QStringLiteral("-rs"), QStringLiteral("/e"), QStringLiteral("/c"),
                                           QStringLiteral("/t"), QStringLiteral("/pc"), QStringLiteral("bogus"),
                                           QStringLiteral("/XYZ"), QString()},
                                          SwitchSource::StartUp);
    EXPECT_TRUE(r.RS);
    EXPECT_TRUE(r.PC);
    EXPECT_TRUE(r.C);
    EXPECT_TRUE(r.T);
    EXPECT_EQ(r.NE, 1);
    EXPECT_FALSE(r.W);
    EXPECT_EQ(parseSwitches({QStringLiteral("/N")}, SwitchSource::StartUp).NE, 0);
}

TEST(SwitchesTest, CloseCountsOnlyInForwardedLinesAndWcArmsThePowerOff) {
    EXPECT_FALSE(parseSwitches({QStringLiteral("/CLOSE")}, SwitchSource::StartUp).C);
    EXPECT_TRUE(parseForwardedLine(QStringLiteral("/close")).C);
    const SwitchRequest wc = parseForwardedLine(QStringLiteral("?/WC??"));
    EXPECT_TRUE(wc.W);
    EXPECT_FALSE(wc.C);  // arming the power-off arms the exit when it is applied
}

TEST(SwitchesTest, TimerValuesTakeMinutesAndSeconds) {
    EXPECT_EQ(parseSwitches({QStringLiteral("/j5.30")}, SwitchSource::StartUp).J, 330);
    EXPECT_EQ(parseSwitches({QStringLiteral("/J.30")}, SwitchSource::StartUp).J, 30);
    EXPECT_EQ(parseSwitches({QStringLiteral("/J5.")}, SwitchSource::StartUp).J, 300);
    EXPECT_EQ(parseSwitches({QStringLiteral("/J30")}, SwitchSource::StartUp).J, 30);
    EXPECT_EQ(parseSwitches({QStringLiteral("/J100000")}, SwitchSource::StartUp).J, 100000);
    for (const char* bad : {"/J.", "/Jx", "/J", "/J-5", "/J1.x", "/J99999999999"})
        EXPECT_EQ(parseSwitches({QString::fromLatin1(bad)}, SwitchSource::StartUp).J, -1) << bad;
}

TEST(SwitchesTest, OnlyExistingFilesByAbsolutePathAreTakenInTheirOwnCase) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Mein Lied.MID"));
    QFile(file).open(QIODevice::WriteOnly);
    const SwitchRequest r = parseForwardedLine(QStringLiteral("/RS?") + file + QStringLiteral("?") +
                                               dir.filePath(QStringLiteral("missing.mid")) +
                                               QStringLiteral("?relative.mid?") + dir.path());
    EXPECT_TRUE(r.RS);
    EXPECT_EQ(r.paths, QStringList({file}));
}

// Track files name a unit's track without any file; they ask for CD play.
TEST(SwitchesTest, CdTrackFilesNeedNoFileAndTakeTheLastTwoCharactersAsTheTrack) {
    const SwitchRequest r = parseForwardedLine(
        QStringLiteral("E:Track05.cda?e:\\cd\\Track12.CDA?F:/x/Titel.cda?G:Track.cda?H:05.cda?E:Track05.cdx"));
    ASSERT_EQ(r.cdTracks.size(), 2) << "Titel and Track have no number, 05 is too short, .cdx is no track file";
    EXPECT_EQ(r.cdTracks[0].letter, QChar(u'E'));
    EXPECT_EQ(r.cdTracks[0].track, 5);
    EXPECT_EQ(r.cdTracks[1].letter, QChar(u'E'));
    EXPECT_EQ(r.cdTracks[1].track, 12);
    EXPECT_TRUE(r.PC);
    EXPECT_TRUE(r.paths.isEmpty());
    EXPECT_FALSE(parseSwitches({QStringLiteral("1:Track05.cda")}, SwitchSource::StartUp).PC);

    const SwitchRequest dropped = parseDroppedFiles(
        {QStringLiteral("/music/gone.mid"), QStringLiteral("E:Track03.cda"), QStringLiteral("relative.mid")});
    EXPECT_EQ(dropped.paths, QStringList{QStringLiteral("/music/gone.mid")}) << "dropped files need not exist";
    ASSERT_EQ(dropped.cdTracks.size(), 1);
    EXPECT_EQ(dropped.cdTracks[0].track, 3);
}

}  // namespace
}  // namespace sondex
