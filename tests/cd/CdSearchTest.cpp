// The disc checks and the CD searches on the real CD device with disc images
// in the units table and a private sound server: what a check decides, what
// lands in the search and selection lists, the report file and the boxes the
// user sees.
#include "ScriptedCdPrompts.h"
#include "TestImages.h"
#include "cd/CdCheckResults.h"
#include "cd/CdDeviceAccess.h"
#include "cd/CdDriveSelection.h"
#include "cd/CdLists.h"
#include "cd/CdPrompts.h"
#include "cd/CdSearch.h"
#include "cd/CdUnitQueries.h"
#include "core/MciChannel.h"
#include "core/RecorderFlags.h"
#include "core/Settings.h"
#include "platform/ListFile.h"
#include "platform/cd/CdUnits.h"
#include "platform/mci/Engine.h"
#include "support/pulse/PrivatePulseServer.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace sondex {
namespace {

QStringList searchErrors(const test::ScriptedCdPrompts& prompts) {
    return prompts.texts().filter(QRegularExpression(QStringLiteral("^サーチエラー")));
}

QStringList entries(const QString& format, int first, int last) {
    QStringList list;
    for (int n = first; n <= last; ++n) list.append(format.arg(n));
    return list;
}

class CdSearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server_ = new test::PrivatePulseServer;
        ASSERT_TRUE(server_->start()) << server_->failure().toStdString();
        server_->applyToThisProcess();
    }
    // However a search ends, the hourglass and the hidden commands come back.
    void TearDown() override {
        EXPECT_EQ(busy, 0);
        EXPECT_FALSE(search.isSearching());
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }

    // Tiny tracks; but a disc must be longer than the two-second lead-in for
    // its test play to count as audio.
    QString audioImage(const QString& name, int tracks, int frames) {
        return cd::test::writeImage(dir.path(), name, QList<int>(tracks, frames));
    }
    QString dataImage() {
        cd::test::writeText(dir.path(), QStringLiteral("data.bin"), QByteArray(2352 * 200, '\0'));
        return cd::test::writeText(
            dir.path(), QStringLiteral("data.cue"),
            "FILE \"data.bin\" BINARY\r\n  TRACK 01 MODE1/2352\r\n    INDEX 01 00:00:00\r\n");
    }
    // The units table, as the start-up finds it; the first unit is chosen.
    void listUnits(const QList<QPair<QChar, QString>>& listed) {
        QByteArray ini = "[CDDRIVES]\r\n";
        for (const auto& [letter, target] : listed)
            ini += QString(letter).toUtf8() + '=' + target.toUtf8() + "\r\n";
        cd::test::writeText(dir.path(), QStringLiteral("CDDRIVES.INI"), ini);
        drives.setVolumes(cd::readCdUnits(dir.path(), {}).units, {});
        drives.selectInitial();
        followSelection(access, drives);
    }
    QStringList report() const { return listfile::read(search.reportPath()); }

    static test::PrivatePulseServer* server_;
    QTemporaryDir dir;
    mci::Engine engine{[this] {
        mci::EngineOptions options;
        options.configFolder = dir.path();
        return options;
    }()};
    std::function<void()> processEvents = [] { QCoreApplication::processEvents(); };
    MciChannel channel{engine, processEvents};
    Settings settings{dir.path() + u'/'};
    test::ScriptedCdPrompts prompts;
    CdUnitsOnDisk units{dir.path()};
    CdDeviceAccess access{channel, settings, prompts, units, dir.path(), processEvents};
    CdDriveSelection drives{settings, QStringLiteral("SONDEX何でもWAV録音")};
    CdLists lists;
    RecorderFlags flags;
    QStringList shown;
    int focused = 0;
    int busy = 0;
    CdSearch search{channel, access, drives, lists, prompts, flags, dir.path() + u'/', hooks()};

private:
    CdSearch::Hooks hooks() {
        CdSearch::Hooks hooks;
        hooks.processEvents = processEvents;
        hooks.busyCursor = [this](bool on) { busy += on ? 1 : -1; };
        hooks.showText = [this](const QString& path) {
            shown.append(path);
            return true;
        };
        hooks.focusSearchList = [this] { ++focused; };
        return hooks;
    }
};

test::PrivatePulseServer* CdSearchTest::server_ = nullptr;

// The scripted device's answers elsewhere are the real device's here.
TEST_F(CdSearchTest, AnAudioImagePassesTheDiscCheckWithItsTrackTimesADataImageFailsAfterOneSearchBox) {
    listUnits({{u'E', audioImage(QStringLiteral("audio"), 2, 750)}, {u'G', dataImage()}});
    EXPECT_EQ(access.CheckCdDisc(false), QString());
    EXPECT_EQ(access.disc().firstTrack, 1);
    EXPECT_EQ(access.disc().trackCount, 2);
    EXPECT_TRUE(prompts.boxes.isEmpty());
    ASSERT_EQ(channel.SendCdWait(QStringLiteral("open cdaudio!E: alias tavikCD")), 0);
    channel.SendCdWait(QStringLiteral("set tavikCD time format msf"));
    EXPECT_EQ(access.GetTrackTimes(1, 2), QStringLiteral("00:10:00"));
    EXPECT_EQ(access.disc().trackStart, QStringLiteral("00:02:00"));
    EXPECT_EQ(access.disc().endPosition, QStringLiteral("00:11:00"));  // a second before track 2
    channel.SendCdWait(QStringLiteral("close tavikCD"));

    drives.select(1);
    followSelection(access, drives);
    EXPECT_EQ(access.CheckCdDisc(false), cdcheck::kNotAudioCd);
    EXPECT_EQ(prompts.boxes.size(), 1);
}

TEST_F(CdSearchTest, OneCdPerTrackListsEveryTrackAndTheSelectionListCopiesThem) {
    listUnits({{u'E', audioImage(QStringLiteral("album"), 12, 40)}});
    search.run(CdSearch::Scope::OneCd, CdSearch::Unit::PerTrack);

    const QStringList tracks = entries(QStringLiteral(" E:%1"), 1, 12);
    EXPECT_EQ(lists.search(), tracks);
    EXPECT_EQ(lists.selection(), tracks);
    EXPECT_EQ(lists.selectedEntry(), 0);
    EXPECT_EQ(lists.selectionSource(), QStringLiteral("ｻｰﾁﾘｽﾄ："));
    EXPECT_EQ(focused, 1);
    EXPECT_TRUE(prompts.texts().isEmpty()) << prompts.texts().join(u'|').toStdString();

    ASSERT_EQ(shown, QStringList{search.reportPath()});
    const QStringList lines = report();
    ASSERT_EQ(lines.size(), 12 + 4);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("音楽ＣＤデータ一覧　")))
        << lines[0].toStdString();
    EXPECT_EQ(lines[1], QStringLiteral("12トラック あります。"));
    EXPECT_EQ(lines[2], QString(40, u'-'));
    EXPECT_EQ(lines[15], QString(40, u'-'));
    // Without titles a track's line names the disc: its identity and volume label.
    const QString disc =
        QStringLiteral("  ＣＤ番号：") + access.disc().identity + QStringLiteral(" []");
    EXPECT_FALSE(access.disc().identity.isEmpty());
    EXPECT_EQ(lines[3], QStringLiteral(" E:1  00:00:40") + disc);
    EXPECT_TRUE(lines[14].startsWith(QStringLiteral(" E:12  "))) << lines[14].toStdString();
    EXPECT_TRUE(lines[14].endsWith(disc)) << lines[14].toStdString();
}

TEST_F(CdSearchTest, AllCdsPerDiscPassesOverADataDiscInSilenceAndChoosesTheStartingUnitAgain) {
    listUnits({{u'E', audioImage(QStringLiteral("album"), 12, 40)},
               {u'F', dataImage()},
               {u'G', audioImage(QStringLiteral("single"), 2, 200)}});
    drives.select(1);
    followSelection(access, drives);
    search.run(CdSearch::Scope::AllCds, CdSearch::Unit::PerDisc);

    EXPECT_EQ(lists.search(), (QStringList{QStringLiteral(" E:@"), QStringLiteral(" G:@")}));
    EXPECT_EQ(lists.selection(), lists.search());
    EXPECT_TRUE(searchErrors(prompts).isEmpty()) << prompts.texts().join(u'|').toStdString();
    EXPECT_FALSE(flags.breakOff);
    EXPECT_EQ(drives.selectedIndex(), 1);
    EXPECT_EQ(access.cdElement(), QStringLiteral("!F:"));
    EXPECT_EQ(access.driveLabel(), QStringLiteral(" F:"));

    const QStringList lines = report();
    ASSERT_EQ(lines.size(), 2 + 4);
    EXPECT_EQ(lines[1], QStringLiteral("2CD あります。"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral(" E:@  1-12  00:06:29  ＣＤ番号：")))
        << lines[3].toStdString();
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral(" G:@  1-2  00:05:24  ＣＤ番号：")))
        << lines[4].toStdString();
    EXPECT_TRUE(lines[4].endsWith(QStringLiteral(" []"))) << lines[4].toStdString();
}

TEST_F(CdSearchTest, AllCdsSearchesEightUnitsAndReportsTheNinth) {
    const QString image = audioImage(QStringLiteral("album"), 1, 400);
    QList<QPair<QChar, QString>> nine;
    for (char16_t letter = u'D'; letter <= u'L'; ++letter) nine.append({QChar(letter), image});
    listUnits(nine);
    search.run(CdSearch::Scope::AllCds, CdSearch::Unit::PerTrack);

    QStringList eight;
    for (char16_t letter = u'D'; letter <= u'K'; ++letter)
        eight.append(u' ' + QChar(letter) + QStringLiteral(":1"));
    EXPECT_EQ(lists.search(), eight);
    EXPECT_EQ(prompts.texts(),
              QStringList{QStringLiteral("サーチエラー： [ L:]ドライブ\n"
                                         "９台目のＣＤをサーチしようとしています。\n"
                                         "音楽ＣＤは、８台までしか対応していません。\n"
                                         "強制終了します。")});
    EXPECT_EQ(report().value(1), QStringLiteral("8トラック あります。"));
}

TEST_F(CdSearchTest, BreakingOffInAnAllCdSearchEndsItAfterThatUnitAndKeepsWhatItFound) {
    listUnits({{u'E', audioImage(QStringLiteral("single"), 2, 200)},
               {u'F', dir.filePath(QStringLiteral("gone.cue"))},
               {u'G', audioImage(QStringLiteral("album"), 3, 200)}});
    prompts.answer = [](const QString& text) {
        return text.startsWith(QStringLiteral("サーチエラー")) ? BoxAnswer::Abort : BoxAnswer::Ok;
    };
    search.run(CdSearch::Scope::AllCds, CdSearch::Unit::PerTrack);

    EXPECT_EQ(prompts.texts(),
              (QStringList{QStringLiteral("サーチエラー： [ F:]ドライブ\nCDが入っていません・・・"),
                           QStringLiteral("中断ボタンが押されました。\n強制終了します。")}));
    EXPECT_TRUE(flags.breakOff);
    const QStringList found = entries(QStringLiteral(" E:%1"), 1, 2);
    EXPECT_EQ(lists.search(), found);
    EXPECT_EQ(lists.selection(), found);
    EXPECT_EQ(report().value(1), QStringLiteral("2トラック あります。"));
    EXPECT_EQ(drives.selectedIndex(), 0);
}

}  // namespace
}  // namespace sondex
