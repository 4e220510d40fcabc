// The CD sequencer recording along on the real CD device and a private sound
// server, when the disc goes wrong halfway through the list: swapped for a
// data disc, or its image deleted while it plays. The entry in hand is saved,
// the next is reported, and nothing else is left behind.
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
#include "platform/cd/CdUnits.h"
#include "platform/mci/Engine.h"
#include "support/pulse/PrivatePulseServer.h"
#include "ScriptedCdPrompts.h"
#include "TestImages.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace sondex {
namespace {

bool spinUntil(const std::function<bool()>& done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

struct Mishap {
    const char* name;
    // Done to the disc while the first entry plays.
    std::function<void(const QString& folder)> strike;
    QString report;  // what the second entry then says
};

class CdSequencerOnTheDeviceTest : public ::testing::TestWithParam<Mishap> {};

TEST_P(CdSequencerOnTheDeviceTest, TheEntryInHandIsSavedAndTheNextReported) {
    test::PrivatePulseServer server;
    ASSERT_TRUE(server.start()) << server.failure().toStdString();
    server.applyToThisProcess();
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    QDir().mkpath(folder + QStringLiteral("rec"));
    const QString audio = cd::test::writeImage(dir.path(), QStringLiteral("audio"), {300, 300});
    cd::test::writeText(dir.path(), QStringLiteral("CDDRIVES.INI"), QStringLiteral("[CDDRIVES]\r\nE=%1\r\n").arg(audio).toUtf8());

    mci::EngineOptions options;
    options.configFolder = dir.path();
    options.temporaryFolder = dir.path();
    mci::Engine engine(options);
    const auto processEvents = [] { QCoreApplication::processEvents(); };
    MciChannel channel(engine, processEvents);
    Settings settings(folder);
    settings.setText(Setting::TEMPALL, folder + QStringLiteral("rec/"));
    RecorderFlags flags;
    test::ScriptedCdPrompts prompts;
    CdUnitsOnDisk units(dir.path());
    CdDeviceAccess access(channel, settings, prompts, units, dir.path(), processEvents);
    CdDriveSelection drives(settings, QStringLiteral("SONDEX"));
    drives.setVolumes(cd::readCdUnits(dir.path(), {}).units, {});
    drives.selectInitial();
    followSelection(access, drives);
    CdLists lists;
    lists.appendSearch(QStringLiteral(" E:1"));
    lists.appendSearch(QStringLiteral(" E:2"));
    lists.useAsSelection(CdLists::Source::Search, kSearchListCaption);
    QStringList saved;
    RecordingHooks hooks;
    hooks.onSaved = [&saved](RecordingKind, const QString& path, int) { saved.append(path); };
    hooks.templateSettle = std::chrono::milliseconds(0);
    RecordingSession session(channel, settings, flags, prompts, folder, hooks);
    int logs = 0;
    CdSequencer sequencer(channel, session, access, drives, lists, settings, prompts, flags,
                          folder + QStringLiteral("SONDEXM0.LIS"), {processEvents, {}, [&logs] { ++logs; }, {}});
    QObject receiver;
    channel.setNoticeTarget(Alias::Cd, {&receiver, [&sequencer](qint64 code, qint64 id) {
                                            sequencer.onDeviceNotice(msg::CdNotice, code, id);
                                        }});

    sequencer.setRecordAlong(true);
    sequencer.TR0Click();
    ASSERT_TRUE(spinUntil([&] { return sequencer.Timer2().isActive(); }, 10000)) << prompts.texts().join(u'|').toStdString();
    spinUntil([] { return false; }, 1500);  // a second and a half of the first track
    GetParam().strike(dir.path());
    ASSERT_TRUE(spinUntil([&] { return !sequencer.isPlaying(); }, 20000));

    ASSERT_FALSE(prompts.texts().isEmpty());
    EXPECT_EQ(prompts.texts().constLast(), GetParam().report) << "after the search box, if any";
    ASSERT_EQ(saved.size(), 1);
    EXPECT_GT(QFileInfo(saved.first()).size(), 44 + 4 * 44100) << "at least a second of the first track";
    EXPECT_EQ(QDir(folder + QStringLiteral("rec")).entryList(QDir::Files), QStringList{QStringLiteral("wav0000.wav")});
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("sondex.wav"))) << "the template is gone";
    EXPECT_EQ(logs, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Mishaps, CdSequencerOnTheDeviceTest,
    ::testing::Values(
        Mishap{"DataDiscSwappedIn",
               [](const QString& dir) {
                   cd::test::writeText(dir, QStringLiteral("data.bin"), QByteArray(2352 * 300, '\0'));
                   const QString data = cd::test::writeText(
                       dir, QStringLiteral("data.cue"),
                       "FILE \"data.bin\" BINARY\r\n  TRACK 01 MODE1/2352\r\n    INDEX 01 00:00:00\r\n");
                   cd::test::writeText(dir, QStringLiteral("CDDRIVES.INI"),
                                       QStringLiteral("[CDDRIVES]\r\nE=%1\r\n").arg(data).toUtf8());
               },
               QStringLiteral("再生エラー： [ E:]ドライブ\n音楽ＣＤ(CDDA)では、ありません。")},
        Mishap{"ImageDeletedWhilePlaying",
               [](const QString& dir) { QFile::remove(dir + QStringLiteral("/audio.bin")); },
               QStringLiteral("再生エラー： [ E:]ドライブ\nCDが入っていません・・・")}),
    [](const ::testing::TestParamInfo<Mishap>& mishap) { return std::string(mishap.param.name); });

}  // namespace
}  // namespace sondex
