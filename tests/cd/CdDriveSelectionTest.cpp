#include "cd/CdDriveSelection.h"
#include "core/Settings.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace sondex {
namespace {

const QString kTitle = QStringLiteral("SONDEX何でもWAV録音");

class CdDriveSelectionTest : public ::testing::Test {
protected:
    // Units E and G, the stored letter given, after the start-up's selection.
    void startWith(const QString& stored, const QString& title = kTitle) {
        drives = std::make_unique<CdDriveSelection>(settings, title);
        settings.setText(Setting::CDDRIVE, stored);
        drives->setVolumes({{u'E', QStringLiteral("/dev/sr0")}, {u'G', QStringLiteral("/dev/sr1")}},
                           {{QStringLiteral("/"), "ext4", VolumeKind::Fixed, {}}});
        drives->selectInitial();
    }

    Settings settings{QStringLiteral("/tmp/")};
    std::unique_ptr<CdDriveSelection> drives;
};

TEST_F(CdDriveSelectionTest, SelectingTheSecondUnitShowsAndStoresIt) {
    startWith(QString());
    QSignalSpy chosen(drives.get(), &CdDriveSelection::unitChosen);
    ASSERT_TRUE(drives->select(1));
    EXPECT_EQ(drives->selectedIndex(), 1);
    EXPECT_EQ(drives->caption(), QStringLiteral(" G:- SONDEX何でもWAV録音"));
    EXPECT_EQ(drives->element(), QStringLiteral("!G:"));
    EXPECT_EQ(drives->driveLabel(), QStringLiteral(" G:"));
    EXPECT_EQ(drives->menuTitle(), QStringLiteral(" G:- CDDA再生対象ﾄﾞﾗｲﾌﾞの選択"));
    EXPECT_EQ(settings.text(Setting::CDDRIVE), QStringLiteral("G"));
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].value<QChar>(), QChar(u'G'));
    EXPECT_EQ(drives->driveList(), (QStringList{QStringLiteral("/"), QStringLiteral(" E:"), QStringLiteral(" G:")}));

    EXPECT_FALSE(drives->select(2));
    EXPECT_FALSE(drives->select(-1));
    EXPECT_EQ(drives->selectedIndex(), 1);
    drives->reselect();  // the switching method changed: the same unit is chosen again
    EXPECT_EQ(chosen.size(), 2);
    EXPECT_EQ(chosen[1][0].value<QChar>(), QChar(u'G'));
}

TEST_F(CdDriveSelectionTest, TheStoredUnitIsChosenAgainAndOneThatIsGoneGivesTheFirst) {
    struct Case {
        const char* stored;
        int index;
        const char* storedAfter;
    };
    for (const Case& c : {Case{"G", 1, "G"}, Case{"g", 1, "G"}, Case{"Q", 0, "E"}, Case{"", 0, "E"},
                          Case{"GE", 0, "E"}}) {
        startWith(QString::fromLatin1(c.stored));
        EXPECT_EQ(drives->selectedIndex(), c.index) << c.stored;
        EXPECT_EQ(settings.text(Setting::CDDRIVE), QString::fromLatin1(c.storedAfter)) << c.stored;
    }
}

TEST_F(CdDriveSelectionTest, WithoutUnitsTheCaptionSaysSoAndSelectingDoesNothing) {
    drives = std::make_unique<CdDriveSelection>(settings, kTitle);
    settings.setText(Setting::CDDRIVE, QStringLiteral("E"));
    drives->setVolumes({}, {});
    drives->selectInitial();
    QSignalSpy chosen(drives.get(), &CdDriveSelection::unitChosen);
    EXPECT_EQ(drives->caption(), QStringLiteral("CDﾄﾞﾗｲﾌﾞがありません"));
    EXPECT_FALSE(drives->select(0));
    drives->reselect();
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_TRUE(drives->element().isEmpty());
    EXPECT_TRUE(drives->driveLabel().isEmpty());
    EXPECT_EQ(settings.text(Setting::CDDRIVE), QStringLiteral("E"));
}

TEST_F(CdDriveSelectionTest, AnAddedUnitTakesItsPlaceInLetterOrderAndTheSelectionStays) {
    startWith(QStringLiteral("G"));
    EXPECT_EQ(drives->addUnit({u'F', QStringLiteral("/discs/a.cue")}), 1);
    EXPECT_EQ(drives->labels(), (QStringList{QStringLiteral(" E:"), QStringLiteral(" F:"), QStringLiteral(" G:")}));
    EXPECT_EQ(drives->selectedIndex(), 2);
    EXPECT_EQ(drives->driveLabel(), QStringLiteral(" G:"));
    EXPECT_EQ(drives->addUnit({u'E', QStringLiteral("/dev/sr0")}), 0);  // known already
    EXPECT_EQ(drives->count(), 3);
}

}  // namespace
}  // namespace sondex
