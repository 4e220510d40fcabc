#include "core/AutomaticName.h"
#include "core/SaveNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

TEST(SaveNamesTest, AutomaticNameIsTheFirstNumberNoFileTakes) {
    const QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    const auto touch = [&folder](const char* name) {
        QFile(folder + QString::fromLatin1(name)).open(QIODevice::WriteOnly);
    };
    touch("wav0000.wav");
    touch("wav0001.wav");
    touch("wav0003.wav");
    EXPECT_EQ(nextAutomaticName(folder), folder + QStringLiteral("wav0002.wav"));
    QFile::remove(folder + QStringLiteral("wav0000.wav"));
    EXPECT_EQ(nextAutomaticName(folder), folder + QStringLiteral("wav0000.wav"));
    // A folder of that name, or the name in capitals, leaves it free.
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("wav0000.wav")));
    touch("WAV0000.WAV");
    EXPECT_EQ(nextAutomaticName(folder), folder + QStringLiteral("wav0000.wav"));
}

TEST(SaveNamesTest, TitlesBecomeStemsASaveCanUse) {
    const QString note = QString::fromUtf8("\xF0\x9F\x8E\xB5");  // four bytes in UTF-8
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("夜明けのスキャット"), QStringLiteral("夜明けのスキャット")},
        {QStringLiteral("AC/DC: Back?"), QStringLiteral("AC_DC_ Back_")},
        {QStringLiteral("a\"b\\c*d<e>f|g"), QStringLiteral("a_b_c_d_e_f_g")},
        {QStringLiteral("tab\there") + QChar(u'\0') + QStringLiteral("x"),
         QStringLiteral("tab_here_x")},
        {QStringLiteral("."), QStringLiteral("_")},
        {QStringLiteral(".."), QStringLiteral("_.")},
        // Cut to 251 bytes, leaving room for ".wav", never inside a character.
        {QString(100, QChar(u'曲')), QString(83, QChar(u'曲'))},
        {note.repeated(70), note.repeated(62)},
    };
    for (const auto& [title, stem] : cases)
        EXPECT_EQ(fileStemFromTitle(title), stem) << title.toStdString();
}

TEST(SaveNamesTest, MusicAndTrackRulesGiveNothingWithoutAUsableTitle) {
    const QString slot = QStringLiteral("/rec/wav0004.wav");
    EXPECT_EQ(musicFileProposal(slot, QStringLiteral("/music/plain")),
              QStringLiteral("/rec/plain.wav"));
    EXPECT_EQ(musicFileProposal(slot, QStringLiteral("/music/.mid")), QString());
    EXPECT_EQ(musicFileProposal(slot, QString()), QString());
    EXPECT_EQ(trackNameProposal(slot, QString()), QString());
}

}  // namespace
}  // namespace sondex
