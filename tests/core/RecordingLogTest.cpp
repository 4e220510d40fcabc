#include "core/LogLines.h"
#include "core/PrintfText.h"
#include "core/RecordingLog.h"
#include "support/FakeDesktop.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

const QDateTime kSundayEvening(QDate(2024, 3, 10), QTime(21, 5, 0));

class RecordingLogTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::FakeDesktop desktop;
    RecordingLog log{dir.path(), desktop};
};

TEST_F(RecordingLogTest, ShowWritesHeadingCountEntriesAndSeparatorsAndKeepsOnlyTheEntries) {
    const QStringList entries{QStringLiteral("first"), QStringLiteral("二番目")};
    for (const QString& entry : entries) log.AddLogLine(entry);
    EXPECT_TRUE(log.show(LogSender::Menu, {}, kSundayEvening).opened);

    QFile file(dir.path() + QStringLiteral("/録音$$$$.TXT"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString line(40, u'-');
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              QStringLiteral("録音データ一覧　24/03/10 日 21:05:00 \r\n2個 録音しました。\r\n") +
                  line + QStringLiteral("\r\nfirst\r\n二番目\r\n") + line + QStringLiteral("\r\n"));
    EXPECT_EQ(log.lines(), entries);
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(file.fileName())});
}

TEST_F(RecordingLogTest,
       EditorStaysClosedWhenExitingAfterRecordingOrWhenNoMemoMeetsAnAutomaticDisplay) {
    for (const LogSender person :
         {LogSender::Menu, LogSender::ClearCommand, LogSender::MainWindow}) {
        EXPECT_TRUE(opensLogEditor({false, false, true}, person));
        EXPECT_FALSE(opensLogEditor({true, false, false}, person));
        EXPECT_FALSE(opensLogEditor({false, true, false}, person));
    }
    EXPECT_TRUE(opensLogEditor({}, LogSender::RecordingEnd));
    EXPECT_FALSE(opensLogEditor({false, false, true}, LogSender::RecordingEnd));

    log.AddLogLine(QStringLiteral("x"));
    const RecordingLog::Shown shown =
        log.show(LogSender::RecordingEnd, {false, false, true}, kSundayEvening);
    EXPECT_TRUE(shown.any && shown.written && !shown.opened && desktop.opened.isEmpty());
}

TEST_F(RecordingLogTest, MenusAndThePreviousLogFollowTheListAndTheFile) {
    EXPECT_FALSE(log.show(LogSender::Menu, {}, kSundayEvening).any);  // nothing written or opened
    EXPECT_FALSE(log.openPrevious());
    const LogMenuState none = log.menuState();
    EXPECT_FALSE(none.show || none.clear || none.previous);

    log.AddLogLine(QStringLiteral("x"));
    log.show(LogSender::RecordingEnd, {true, false, false}, kSundayEvening);
    const LogMenuState some = log.menuState();
    EXPECT_TRUE(some.show && some.clear && !some.previous);

    log.clear();
    const LogMenuState previous = log.menuState();
    EXPECT_TRUE(!previous.show && !previous.clear && previous.previous);
    EXPECT_TRUE(log.openPrevious());
    desktop.answer = false;  // no program to open it
    EXPECT_FALSE(log.openPrevious());
}

WavSummary summary(bool ok) {
    WavSummary wav;
    if (!ok) wav.errorText = QStringLiteral("データがありません・・・GW");
    wav.formatCode = QStringLiteral("44S16");
    wav.duration = QStringLiteral("0.10");
    wav.declaredSize = 1764044;
    wav.fileDate = QStringLiteral("24/03/05 火 07:08:09");
    wav.fileName = QStringLiteral("wav0001.wav");
    wav.folder = QStringLiteral("/rec/");
    return wav;
}

const loglines::Saved kSaved{QStringLiteral("/rec/wav0001.wav"), 83456};

TEST(LogLinesTest, ManualAndMusicLinesPlaceEachFieldInItsColumns) {
    EXPECT_EQ(loglines::manualLine(summary(true), kSaved, kSundayEvening),
              QStringLiteral("44S16    0.10    1,764,044 24/03/05 火 07:08:09 wav0001.wav /rec/"));
    EXPECT_EQ(loglines::manualLine(summary(false), kSaved, kSundayEvening),
              QStringLiteral("/rec/wav0001.wav  83 24/03/10 日 21:05:00 "));
    const QString end = QStringLiteral("215");
    EXPECT_EQ(loglines::musicLine(summary(true), kSaved, end, QStringLiteral("/music/曲.mid"),
                                  kSundayEvening),
              QStringLiteral("44S16    0.10    1,764,044 wav0001.wav /rec/ <215 曲.mid"));
    EXPECT_EQ(loglines::musicLine(summary(false), kSaved, end, QString(), kSundayEvening),
              QStringLiteral("/rec/wav0001.wav  83 215 24/03/10 日 21:05:00 "));
}

TEST(LogLinesTest, CdLinesCarryTracksRecordedTimeAndTheCdText) {
    loglines::CdTexts cd{
        QStringLiteral(" E:"),      QStringLiteral("1-9"),  QStringLiteral("3"),
        QStringLiteral("04:31:62"), QStringLiteral("曲名"), QStringLiteral("題"),
        QStringLiteral("歌手"),     QStringLiteral("A1B2"), QStringLiteral("[DISC]")};
    EXPECT_EQ(loglines::cdLine(summary(true), kSaved, cd),
              QStringLiteral("44S16  0.10 wav0001.wav /rec/  E:  1-9  3 04:31:62  曲名  題  歌手"));
    EXPECT_EQ(loglines::cdLine(summary(false), kSaved, cd),
              QStringLiteral("/rec/wav0001.wav  E:  1-9  3 01:23:45 04:31:62  曲名  題  歌手"));
    EXPECT_EQ(loglines::recordedTime(9), QStringLiteral("00:00:00"));
    EXPECT_EQ(loglines::recordedTime(6000000), QStringLiteral("100:00:00"));

    cd.trackName = cd.discTitle = cd.artist = QStringLiteral("--");
    EXPECT_EQ(loglines::cdText(cd), QStringLiteral("ＣＤ番号：A1B2 [DISC]"));
    cd.track = QStringLiteral("@");
    EXPECT_EQ(loglines::cdText(cd), QStringLiteral("ＣＤ番号：A1B2 [DISC]"));
    cd.artist = QStringLiteral("歌手");
    EXPECT_EQ(loglines::cdText(cd), QStringLiteral("--  歌手"));
    cd.track = QStringLiteral("3");
    EXPECT_EQ(loglines::cdText(cd), QStringLiteral("--  --  歌手"));
}

TEST(PrintfTextTest, WidthsCountFullWidthCharactersTwiceAndNeverCut) {
    EXPECT_EQ(printf_text::rightAligned(QStringLiteral("日本"), 6), QStringLiteral("  日本"));
    EXPECT_EQ(printf_text::rightAligned(QStringLiteral("ｶﾅ"), 4),
              QStringLiteral("  ｶﾅ"));  // half-width kana
    EXPECT_EQ(printf_text::rightAligned(QStringLiteral("123456"), 5), QStringLiteral("123456"));
    EXPECT_EQ(printf_text::grouped(12345678901234, 13), QStringLiteral("12,345,678,901,234"));
}

}  // namespace
}  // namespace sondex
