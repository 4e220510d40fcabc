#include "recording/AutomaticName.h"
#include "recording/SaveNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

class AutomaticNameTest : public ::testing::Test {
protected:
    QString folder() const { return dir.path() + QStringLiteral("/"); }
    void touch(const QString& name) const {
        QFile file(folder() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    }

    QTemporaryDir dir;
};

TEST_F(AutomaticNameTest, FirstFreeNumberIsTakenAndGapsAreFilledFirst) {
    EXPECT_EQ(nextAutomaticName(folder()), folder() + QStringLiteral("wav0000.wav"));
    touch(QStringLiteral("wav0000.wav"));
    touch(QStringLiteral("wav0001.wav"));
    EXPECT_EQ(nextAutomaticName(folder()), folder() + QStringLiteral("wav0002.wav"));
    touch(QStringLiteral("wav0003.wav"));
    QFile::remove(folder() + QStringLiteral("wav0000.wav"));
    EXPECT_EQ(nextAutomaticName(folder()), folder() + QStringLiteral("wav0000.wav"));
}

TEST_F(AutomaticNameTest, OnlyFilesTakeANameAndLetterCaseCounts) {
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("wav0000.wav")));
    touch(QStringLiteral("WAV0000.WAV"));
    EXPECT_EQ(nextAutomaticName(folder()), folder() + QStringLiteral("wav0000.wav"));
}

TEST_F(AutomaticNameTest, TestRecordingsAlwaysUseOneName) {
    touch(QStringLiteral("wavtest.wav"));
    EXPECT_EQ(testRecordingName(folder()), folder() + QStringLiteral("wavtest.wav"));
}

TEST_F(AutomaticNameTest, NoNameOnceAllTenThousandAreTaken) {
    for (int n = 0; n <= kLastAutomaticNumber; ++n)
        touch(QStringLiteral("wav%1.wav").arg(n, 4, 10, QLatin1Char('0')));
    EXPECT_EQ(nextAutomaticName(folder()), std::nullopt);
    QFile::remove(folder() + QStringLiteral("wav9999.wav"));
    EXPECT_EQ(nextAutomaticName(folder()), folder() + QStringLiteral("wav9999.wav"));
}

TEST(SaveNamesTest, TitlesBecomeNamesASaveCanUse) {
    struct Case {
        QString title;
        QString stem;
    };
    const Case cases[] = {
        {QStringLiteral("夜明けのスキャット"), QStringLiteral("夜明けのスキャット")},
        {QStringLiteral("AC/DC: Back?"), QStringLiteral("AC_DC_ Back_")},
        {QStringLiteral("a\"b\\c*d<e>f|g"), QStringLiteral("a_b_c_d_e_f_g")},
        {QStringLiteral("tab\there") + QChar(u'\0') + QStringLiteral("x"), QStringLiteral("tab_here_x")},
        {QStringLiteral("."), QStringLiteral("_")},
        {QStringLiteral(".."), QStringLiteral("_.")},
        {QStringLiteral(".hidden.track"), QStringLiteral("_hidden.track")},
        {QString(), QString()},
    };
    for (const Case& c : cases) EXPECT_EQ(fileStemFromTitle(c.title), c.stem) << c.title.toStdString();
}

TEST(SaveNamesTest, LongTitlesAreCutToAFileNameWithoutSplittingACharacter) {
    // 100 three-byte characters: 300 bytes, and 251 bytes are left before ".wav".
    const QString title(100, QChar(u'曲'));
    const QString stem = fileStemFromTitle(title);
    EXPECT_EQ(stem, QString(83, QChar(u'曲')));
    EXPECT_LE((stem + QStringLiteral(".wav")).toUtf8().size(), 255);
    // Characters outside the basic plane are four bytes and never cut in half.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x8E\xB5").repeated(70);
    EXPECT_EQ(fileStemFromTitle(emoji), QString::fromUtf8("\xF0\x9F\x8E\xB5").repeated(62));
}

TEST(SaveNamesTest, MusicRuleTakesTheNameUpToItsFirstPeriodInTheSlotsFolder) {
    const QString slot = QStringLiteral("/rec/wav0004.wav");
    EXPECT_EQ(musicFileProposal(slot, QStringLiteral("/music/my.song.mid")), QStringLiteral("/rec/my.wav"));
    EXPECT_EQ(musicFileProposal(slot, QStringLiteral("/music/plain")), QStringLiteral("/rec/plain.wav"));
    EXPECT_EQ(musicFileProposal(slot, QStringLiteral("/music/.mid")), QString());
    EXPECT_EQ(musicFileProposal(slot, QString()), QString());
}

TEST(SaveNamesTest, TrackRuleAppliesOnlyToKnownTrackNames) {
    const QString automatic = QStringLiteral("/rec/wav0000.wav");
    EXPECT_EQ(trackNameProposal(automatic, QStringLiteral("Track 1/2")), QStringLiteral("/rec/Track 1_2.wav"));
    EXPECT_EQ(trackNameProposal(automatic, QStringLiteral("--")), QString());
    EXPECT_EQ(trackNameProposal(automatic, QString()), QString());
}

}  // namespace
}  // namespace sondex
