// The timer's lists: lines of any shape survive a load and save unchanged,
// the editors and the group editor keep their rules, and a list is saved to
// its own file before another is read.
#include "timer/TimerLists.h"

#include "core/Settings.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

using E = TimerLists::Editor;
using S = TimerLists::Side;

QStringList strings(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items) list.append(QString::fromUtf8(item));
    return list;
}

class TimerListsTest : public ::testing::Test {
protected:
    TimerListsTest() : settings(folder()), lists(folder(), hooks()) {}

    QString folder() const { return dir.path() + u'/'; }
    QString file(const char* name) const { return folder() + QString::fromUtf8(name); }
    TimerLists::Hooks hooks() {
        return {[this](const QString& q) {
                    questions.append(q);
                    return yes;
                },
                [this](const QString& text) { notices.append(text); }, [] { return QTime(13, 7, 42); }};
    }
    QStringList editors() const {
        return {lists.editor(E::StartHour), lists.editor(E::StartMinute), lists.editor(E::EndHour),
                lists.editor(E::EndMinute)};
    }
    void setTimes(int sh, int sm, int eh, int em) {
        lists.pickHour(S::Start, sh);
        lists.pickMinute(S::Start, sm);
        lists.pickHour(S::End, eh);
        lists.pickMinute(S::End, em);
    }

    QTemporaryDir dir;
    Settings settings;
    TimerLists lists;
    QStringList questions, notices;
    bool yes = false;
};

TEST_F(TimerListsTest, AnyLineIsKeptByteForByteAndIsSafeToClick) {
    // In ascending order already, so the saved file must equal the read one.
    const QByteArray bytes =
        "\r\n07\r\n07:00-07:30 E 44S16\r\n07:00-07:30 Q 96X99\r\n25:61-99:99 W 44S1\r\nab:cd-ef:gh C 44M16\r\n"
        "ab:cd-ef:gh C 44M16 and more\r\n\xEF\xBD\xB1\xEF\xBD\xB2:\r\n";
    ASSERT_TRUE(test::writeBytes(file("DAY000.day"), bytes));
    lists.startUp(settings, QStringLiteral("SONDEX"));
    ASSERT_EQ(lists.lines().size(), 8);
    EXPECT_EQ(lists.countText(), QStringLiteral("8ｺ"));

    struct Click {
        int row;
        const char* editors;  // the four, joined
        int action;
        std::optional<QString> format;
    };
    const Click clicks[] = {
        {2, "07000730", 1, QStringLiteral("44S16")},
        {0, "07000730", 1, std::nullopt},  // an empty line changes nothing
        {1, "07000730", 0, std::nullopt},  // too short: only the action falls back
        {3, "07000730", 0, std::nullopt},  // unknown action and format
        {4, "25619999", 3, std::nullopt},  // out of range is shown; four-character format
        {5, "25619999", 2, QStringLiteral("44M16")},  // letters in the times
        {6, "25619999", 2, std::nullopt},  // too long for a format
        {7, "25619999", 0, std::nullopt},
    };
    for (const Click& c : clicks) {
        SCOPED_TRACE(c.row);
        const auto format = lists.clickLine(c.row);
        EXPECT_EQ(format, c.format);
        EXPECT_EQ(editors().join(QString()), QString::fromLatin1(c.editors));
        EXPECT_EQ(lists.actionIndex(), c.action);
    }
    EXPECT_EQ(lists.clickLine(99), std::nullopt);
    // The spin buttons bring out-of-range values back into the day.
    lists.stepMinute(S::Start, 1);
    lists.stepHour(S::End, 1);
    EXPECT_EQ(editors(), strings({"02", "00", "04", "99"}));

    lists.saveLoadedList();
    EXPECT_EQ(test::readBytes(file("DAY000.day")), bytes);
}

TEST_F(TimerListsTest, ASecondEntryWithTheSameStartIsAskedAboutAndReplacesOnlyOnYes) {
    lists.startUp(settings, QStringLiteral("SONDEX"));
    EXPECT_EQ(lists.countText(), QStringLiteral("0ｺ"));
    setTimes(7, 0, 7, 30);
    ASSERT_TRUE(lists.registerEntry(QStringLiteral("44S16")));
    setTimes(6, 0, 6, 0);  // start equal to end is stored like any other
    lists.setActionIndex(3);
    ASSERT_TRUE(lists.registerEntry(QStringLiteral("22M08")));
    EXPECT_TRUE(questions.isEmpty());

    setTimes(7, 0, 8, 0);
    lists.setActionIndex(0);
    EXPECT_FALSE(lists.registerEntry(QStringLiteral("11S16")));
    EXPECT_EQ(questions, QStringList{QStringLiteral(
                             "07:00\nこのスタート時刻は、既に登録されています。\n書き換えても、よろしいですか？？？")});
    yes = true;
    EXPECT_TRUE(lists.registerEntry(QStringLiteral("11S16")));
    EXPECT_EQ(lists.lines(), strings({"06:00-06:00 W 22M08", "07:00-08:00 N 11S16"}));

    // Delete all asks too; delete selected does not.
    yes = false;
    lists.deleteAll();
    EXPECT_EQ(lists.lines().size(), 2);
    lists.setSelection({1}, 1);
    lists.deleteSelected();
    EXPECT_EQ(lists.lines(), strings({"06:00-06:00 W 22M08"}));
    EXPECT_EQ(questions.size(), 3);
}

TEST_F(TimerListsTest, TimeEditorsWrapAroundTheDayAndReadTheClock) {
    setTimes(23, 59, 0, 0);
    lists.stepMinute(S::Start, 1);
    EXPECT_EQ(editors().mid(0, 2), strings({"00", "00"}));
    lists.stepMinute(S::Start, -1);
    EXPECT_EQ(editors().mid(0, 2), strings({"23", "59"}));
    lists.stepHour(S::End, -1);
    lists.pickMinute(S::End, -1);
    EXPECT_EQ(editors().mid(2), strings({"23", "07"}));
    lists.startNow();
    lists.copyStartToEnd();
    EXPECT_EQ(editors(), strings({"13", "07", "13", "07"}));
}

TEST_F(TimerListsTest, DayGroupsAreTheDayFilesAndTheirNamesAreFileNames) {
    for (const char* name : {"DAY000.day", "DAY001.day", "DAY003.day", "b.DAY"}) ASSERT_TRUE(test::writeBytes(file(name)));
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("DAY002.day")));  // a folder is no group, and its name is taken
    ASSERT_TRUE(test::writeBytes(file("DAY001.day"), "01:00-02:00 E 44S16\r\n"));
    settings.setText(Setting::TDAY_S, QStringLiteral("day001"));
    lists.startUp(settings, QStringLiteral("SONDEX"));
    EXPECT_EQ(lists.groupNames(), strings({"b", "DAY000", "DAY001", "DAY003"}));
    EXPECT_EQ(lists.groupName(), QStringLiteral("DAY001"));
    EXPECT_EQ(lists.lines().size(), 1);

    for (const QString& refused : {QStringLiteral("day000"), QStringLiteral("a/b"), QString(), QStringLiteral(".."),
                                   QString(247, u'x'), QStringLiteral("DAY002")}) {
        lists.renameGroup(refused);
        EXPECT_EQ(lists.groupName(), QStringLiteral("DAY001"));
    }
    EXPECT_EQ(notices.first(), QStringLiteral("同名データが既に存在しています・・・\nday000"));
    EXPECT_EQ(notices[1], QStringLiteral("この名前は使えません・・・\na/b"));
    EXPECT_EQ(notices.size(), 6);
    EXPECT_TRUE(TimerLists::usableGroupName(QString(246, u'x')));

    lists.newGroup();  // the folder's name is taken too
    EXPECT_EQ(lists.groupName(), QStringLiteral("DAY004"));
    EXPECT_EQ(lists.subListIndex(), 4);
    EXPECT_TRUE(lists.lines().isEmpty());
    lists.registerEntry(QStringLiteral("44S16"));
    lists.changeMode(0);  // the same mode again: the new group keeps its entries
    EXPECT_EQ(lists.groupName(), QStringLiteral("DAY004"));
    EXPECT_EQ(test::readBytes(file("DAY004.day")), QByteArray("00:00-00:00 E 44S16\r\n"));
    EXPECT_EQ(test::readBytes(file("b.DAY")), QByteArray());
    lists.changeSubList(2);
    lists.renameGroup(QStringLiteral("朝"));
    EXPECT_FALSE(QFile::exists(file("DAY001.day")));
    EXPECT_EQ(lists.groupNames(), strings({"b", "DAY000", "朝", "DAY003", "DAY004"}));
    lists.saveLoadedList();
    EXPECT_EQ(test::readBytes(file("朝.day")), QByteArray("01:00-02:00 E 44S16\r\n"));

    for (int i = 0; i < 5; ++i) lists.deleteGroup();
    EXPECT_EQ(lists.groupNames(), strings({"DAY000"}));
    EXPECT_TRUE(lists.lines().isEmpty());
    EXPECT_FALSE(QFile::exists(file("DAY000.day")));
    EXPECT_FALSE(QFile::exists(file("b.DAY")));
}

TEST_F(TimerListsTest, NewGroupWithEveryNameTakenSaysSoAndChangesNothing) {
    for (int n = 0; n < 1000; ++n)
        ASSERT_TRUE(test::writeBytes(folder() + QStringLiteral("DAY%1.day").arg(n, 3, 10, QChar(u'0'))));
    lists.startUp(settings, QStringLiteral("SONDEX"));
    lists.newGroup();
    EXPECT_EQ(lists.groupNames().size(), 1000);
    EXPECT_EQ(lists.groupName(), QStringLiteral("DAY000"));
    EXPECT_EQ(notices.size(), 1);
}

TEST_F(TimerListsTest, AnotherSubListIsReadOnlyAfterTheLoadedOneIsSaved) {
    ASSERT_TRUE(test::writeBytes(file("SONDEXW3.LIS"), "05:00-05:10 E 44S16\r\n"));  // another letter case
    settings.setNumber(Setting::TM_Mode, 2);
    settings.setNumber(Setting::TWEK_Index, 3);
    lists.startUp(settings, QStringLiteral("SONDEX"));
    EXPECT_EQ(lists.lines(), strings({"05:00-05:10 E 44S16"}));
    EXPECT_EQ(lists.subListCaption(), QStringLiteral("木"));

    setTimes(6, 0, 6, 30);
    lists.registerEntry(QStringLiteral("44S16"));
    lists.changeMode(1);  // the weekly list is written before the weekday list is read
    EXPECT_EQ(test::readBytes(file("SONDEXW3.LIS")), QByteArray("05:00-05:10 E 44S16\r\n06:00-06:30 E 44S16\r\n"));
    EXPECT_EQ(lists.modeCaption(), QStringLiteral("月-金"));
    lists.registerEntry(QStringLiteral("44S16"));
    lists.changeSubList(2);
    EXPECT_EQ(test::readBytes(file("sondexf0.lis")), QByteArray("06:00-06:30 E 44S16\r\n"));
    EXPECT_TRUE(lists.loadedListEmpty());

    lists.storeForExit(settings, QStringLiteral("実行中"));
    EXPECT_EQ(settings.number(Setting::TM_Mode), 1);
    EXPECT_EQ(settings.number(Setting::TM_F_Index), 2);
    EXPECT_EQ(settings.number(Setting::TWEK_Index), 3);
    EXPECT_EQ(settings.text(Setting::JK), QStringLiteral("実行中"));
    EXPECT_TRUE(QFile::exists(file("sondexf2.lis")));
}

}  // namespace
}  // namespace sondex
