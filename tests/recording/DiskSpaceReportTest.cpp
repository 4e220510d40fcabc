// The size report and the volume list: the numbers, their rounding and
// grouping, the halving and the 2 GB ceiling, and volumes that cannot be read.
#include "recording/DiskSpaceReport.h"

#include <QHash>

#include <gtest/gtest.h>

namespace sondex {
namespace {

using namespace diskspace;

constexpr RecordingFormat kCdQuality{44100, 2, 16};

// Folders and what their file systems answer; any other folder cannot be looked at.
class FakeDisks final : public DiskSpaceQueries {
public:
    FolderDisk folderDisk(const QString& folder) override { return disks.value(folder); }
    QHash<QString, FolderDisk> disks;
};

FolderDisk disk(const char* mountPoint, qint64 freeBytes, quint64 device, qint64 totalBytes = 0) {
    return {QString::fromUtf8(mountPoint), {freeBytes, totalBytes}, device};
}

TEST(DiskSpaceReportTest, TheReportOfTwoVolumesNamesBothAndTheSmallerOneLimits) {
    FakeDisks disks;
    disks.disks = {{QStringLiteral("/tmp"), disk("C", 500000000, 1)},
                   {QStringLiteral("/rec/"), disk("D", 1000000000, 2)}};
    EXPECT_EQ(sizeReport(readSizeReport(disks, QStringLiteral("/tmp"), QStringLiteral("/rec/"),
                                        kCdQuality)),
              QStringLiteral("最大録音サイズ表示\n\n録音時使用ドライブ空きサイズ\n"
                             "一時ドライブ C:    500,000,000 BytesFree     47分\n"
                             "登録ドライブ D:  1,000,000,000 BytesFree     94分\n\n"
                             "44100/ 16/ ｽﾃﾚｵ\n"
                             "最大録音サイズ    500 MBytes     47分\n"
                             "(2Gまで☆)"));
}

TEST(DiskSpaceReportTest, TheLargestRecordingIsHalvedOnOneVolumeAndStopsAtTwoGigabytes) {
    struct Case {
        qint64 temporary, recording;
        bool oneVolume;
        RecordingFormat format;
        qint64 megabytes;
        long long minutes;
    };
    const Case cases[] = {
        {6000000000, 6000000000, true, kCdQuality, 2147, 203},   // 3e9 halved, then the ceiling
        {3000000000, 3000000000, true, kCdQuality, 1500, 142},   // halved, below the ceiling
        {3000000000, 4000000000, false, kCdQuality, 2147, 203},  // apart: only the ceiling
        {0, 1000000000, false, kCdQuality, 0, 0},     // no temporary folder, no recording
        {480000, 480000, false, {8000, 1, 8}, 0, 1},  // a minute is 480,000 bytes
    };
    for (const Case& c : cases) {
        const LargestRecording largest = largestRecording({{QStringLiteral("/a"), c.temporary},
                                                           {QStringLiteral("/b"), c.recording},
                                                           c.oneVolume,
                                                           c.format});
        EXPECT_TRUE(largest.known);
        EXPECT_EQ(largest.megabytes, c.megabytes) << c.temporary << " " << c.recording;
        EXPECT_EQ(std::llround(largest.minutes), c.minutes) << c.temporary << " " << c.recording;
    }
    EXPECT_EQ(bytesPerMinute({8000, 1, 8}), 480000);
    EXPECT_EQ(bytesPerMinute(kCdQuality), 10584000);
}

TEST(DiskSpaceReportTest, OneFileSystemIsTheSameDeviceAndAnUnreadableVolumeIsSaidSoNotGuessed) {
    FakeDisks disks;
    disks.disks = {{QStringLiteral("/tmp"), disk("/", 6000000000, 7)},
                   {QStringLiteral("/home/u/rec/"), disk("/", 6000000000, 7)},
                   {QStringLiteral("/gone/"), {{}, {}, std::nullopt}}};
    const QString sameDisk = sizeReport(
        readSizeReport(disks, QStringLiteral("/tmp"), QStringLiteral("/home/u/rec/"), kCdQuality));
    EXPECT_TRUE(sameDisk.contains(QStringLiteral("最大録音サイズ  2,147 MBytes    203分")))
        << sameDisk.toStdString();
    EXPECT_TRUE(
        sameDisk.contains(QStringLiteral("登録ドライブ /:  6,000,000,000 BytesFree    567分")));

    const QString unreadable = sizeReport(
        readSizeReport(disks, QStringLiteral("/tmp"), QStringLiteral("/gone/"), kCdQuality));
    EXPECT_TRUE(unreadable.contains(QStringLiteral("登録ドライブ /gone:") + QString(5, u' ') +
                                    unreadableText() + u'\n'))
        << unreadable.toStdString();
    EXPECT_TRUE(unreadable.contains(QStringLiteral("最大録音サイズ ") + unreadableText()));
    EXPECT_FALSE(unreadable.contains(u'-')) << unreadable.toStdString();

    // An empty folder text is no folder: nothing asked, 0 bytes, no recording.
    const SizeReportInput none =
        readSizeReport(disks, QStringLiteral("/tmp"), QString(), kCdQuality);
    EXPECT_EQ(none.recording.freeBytes, 0);
    EXPECT_FALSE(none.oneVolume);
    EXPECT_EQ(largestRecording(none).megabytes, 0);
}

TEST(DiskSpaceReportTest, TheListShowsEachMountPointAndOneThatVanishedAsNoDisk) {
    FakeDisks disks;
    disks.disks = {{QStringLiteral("/"), disk("/", 1000000000, 1, 20000000000)},
                   {QStringLiteral("/home"), disk("/home", 500000000, 2, 2000000000)},
                   // unmounted: its folder is left on the volume beneath
                   {QStringLiteral("/media/usb"), disk("/", 1000000000, 1, 20000000000)}};
    const QStringList lines = driveList(
        readListedVolumes(disks, {QStringLiteral("/"), QStringLiteral("/home"),
                                  QStringLiteral("/media/usb"), QStringLiteral("/media/cd")}),
        kCdQuality, QDateTime(QDate(2026, 12, 6), QTime(13, 5, 9)));
    const QString rule(65, u'-');
    EXPECT_EQ(
        lines,
        QStringList(
            {QStringLiteral("全ﾄﾞﾗｲﾌﾞ空きサイズ一覧　　 26/12/06 日 13:05:09 "), QString(),
             QStringLiteral("ﾄﾞﾗｲﾌﾞ名:　空きサイズ　　　　　最大サイズ       44100/ 16/ ｽﾃﾚｵ"),
             rule,
             QStringLiteral(" /:  1,000,000,000 Bytes   20,000,000,000 Bytes     94分/ 1,890分"),
             QStringLiteral(
                 " /home:    500,000,000 Bytes    2,000,000,000 Bytes     47分/   189分"),
             QStringLiteral(" /media/usb: ディスクがありません・・・"),
             QStringLiteral(" /media/cd: ディスクがありません・・・"), rule}));
}

}  // namespace
}  // namespace sondex
