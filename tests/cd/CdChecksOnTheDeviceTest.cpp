// The disc checks against the real CD device and a private sound server: an
// audio image passes, a data image fails after its one search box, and the
// track times agree with the image.
#include "cd/CdCheckResults.h"
#include "cd/CdDeviceAccess.h"
#include "cd/CdPrompts.h"
#include "cd/CdUnitQueries.h"
#include "core/MciChannel.h"
#include "core/Settings.h"
#include "platform/mci/Engine.h"
#include "support/pulse/PrivatePulseServer.h"
#include "ScriptedCdPrompts.h"
#include "TestImages.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

TEST(CdChecksOnTheDevice, AnAudioImagePassesADataImageFailsAfterOneSearchBox) {
    test::PrivatePulseServer server;
    ASSERT_TRUE(server.start()) << server.failure().toStdString();
    server.applyToThisProcess();
    QTemporaryDir dir;
    const QString audio = cd::test::writeImage(dir.path(), QStringLiteral("audio"), {750, 600});
    cd::test::writeText(dir.path(), QStringLiteral("data.bin"), QByteArray(2352 * 750, '\0'));
    const QString data = cd::test::writeText(dir.path(), QStringLiteral("data.cue"),
                                             "FILE \"data.bin\" BINARY\r\n  TRACK 01 MODE1/2352\r\n    INDEX 01 00:00:00\r\n");
    cd::test::writeText(dir.path(), QStringLiteral("CDDRIVES.INI"),
                        QStringLiteral("[CDDRIVES]\r\nE=%1\r\nG=%2\r\n").arg(audio, data).toUtf8());

    mci::EngineOptions options;
    options.configFolder = dir.path();
    mci::Engine engine(options);
    const auto processEvents = [] { QCoreApplication::processEvents(); };
    MciChannel channel(engine, processEvents);
    Settings settings(dir.path() + u'/');
    test::ScriptedCdPrompts prompts;
    CdUnitsOnDisk units(dir.path());
    CdDeviceAccess access(channel, settings, prompts, units, dir.path(), processEvents);

    access.setCdElement(QStringLiteral("!E:"));
    access.setDriveLabel(QStringLiteral(" E:"));
    EXPECT_EQ(access.CheckCdDisc(false), QString());
    EXPECT_EQ(access.disc().firstTrack, 1);
    EXPECT_EQ(access.disc().trackCount, 2);
    EXPECT_FALSE(access.disc().identity.isEmpty());
    EXPECT_EQ(access.CdVolumeLabel(u'E'), QStringLiteral("[]"));
    EXPECT_TRUE(prompts.boxes.isEmpty());
    ASSERT_EQ(channel.SendCdWait(QStringLiteral("open cdaudio!E: alias tavikCD")), 0);
    channel.SendCdWait(QStringLiteral("set tavikCD time format msf"));
    EXPECT_EQ(access.GetTrackTimes(1, 2), QStringLiteral("00:10:00"));
    EXPECT_EQ(access.disc().trackStart, QStringLiteral("00:02:00"));
    EXPECT_EQ(access.disc().endPosition, QStringLiteral("00:11:00"));  // a second before track 2
    channel.SendCdWait(QStringLiteral("close tavikCD"));

    access.setCdElement(QStringLiteral("!G:"));
    access.setDriveLabel(QStringLiteral(" G:"));
    EXPECT_EQ(access.CheckCdDisc(false), cdcheck::kNotAudioCd);
    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_EQ(prompts.boxes[0].seconds, 3);
    EXPECT_TRUE(prompts.boxes[0].abortable);
}

}  // namespace
}  // namespace sondex
