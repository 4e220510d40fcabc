#include "TestImages.h"

#include "platform/cd/CdUnits.h"
#include "platform/cd/DiscTitles.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex::cd {
namespace {

using test::writeText;

QString letters(const CdUnitTable& table) {
    QString s;
    for (const CdUnit& u : table.units)
        s += QString(u.letter) + u'=' + u.target.section(u'/', -1) + u' ';
    return s.trimmed();
}

// A /dev of our own, so the machine's drives never show up in a test.
struct UnitsHome {
    QTemporaryDir dir;
    QString dev = dir.filePath(QStringLiteral("dev"));
    QString config = dir.filePath(QStringLiteral("config"));
    UnitsHome() {
        QDir().mkpath(dev);
        QDir().mkpath(config);
        for (const char* name : {"sr10", "sr1", "sr0", "sda", "cdrom", "sr2x"})
            writeText(dev, QString::fromLatin1(name), {});
    }
};

TEST(CdUnits, WithoutTheFileOpticalDrivesTakeLettersFromD) {
    UnitsHome home;
    const QStringList optical = opticalDrives(home.dev);
    EXPECT_EQ(optical, QStringList({home.dev + u"/sr0", home.dev + u"/sr1", home.dev + u"/sr10"}));
    const CdUnitTable table = readCdUnits(home.config, optical);
    EXPECT_FALSE(table.listed);
    EXPECT_EQ(letters(table), u"D=sr0 E=sr1 F=sr10");
    EXPECT_TRUE(readCdUnits(home.config, {}).units.isEmpty());
}

TEST(CdUnits, TheFileListsDrivesAndImagesAndReportsLinesItCannotUse) {
    UnitsHome home;
    writeText(home.config, QStringLiteral("cddrives.ini"),
              "; my units\r\n[Other]\r\nQ=/dev/sr9\r\n[CDDRIVES]\r\n"
              "g = discs/album.cue\r\ne=/dev/sr0\r\nE=/dev/sr1\r\nnonsense\r\n"
              "AB=/dev/sr2\r\nH=\r\nK=/home/x/song.mp3\r\nZ=~/b.toc\n");
    const CdUnitTable table = readCdUnits(home.config, opticalDrives(home.dev));
    EXPECT_TRUE(table.listed);
    EXPECT_EQ(letters(table), u"E=sr0 G=album.cue Z=b.toc");
    EXPECT_EQ(table.find(u'g')->target, home.config + u"/discs/album.cue");
    EXPECT_EQ(table.problems.size(), 5);
    EXPECT_TRUE(table.problems.first().startsWith(u"7行目")) << table.problems.first().toStdString();

    // A folder in the file's place cannot be read: reported, and the drives are used.
    UnitsHome broken;
    QDir().mkpath(broken.config + u"/CDDRIVES.INI");
    const CdUnitTable fallback = readCdUnits(broken.config, opticalDrives(broken.dev));
    EXPECT_EQ(letters(fallback), u"D=sr0 E=sr1 F=sr10");
    EXPECT_EQ(fallback.problems.size(), 1);
}

TEST(CdUnits, AddingImagesTakesTheNextFreeLetterAndKeepsTheDrives) {
    UnitsHome home;
    const QStringList optical = {QStringLiteral("/dev/sr0"), QStringLiteral("/dev/sr1"), QStringLiteral("/dev/sr10")};
    const QString a = home.dir.filePath(QStringLiteral("a.cue"));
    EXPECT_EQ(addImageUnit(home.config, optical, a).letter, u'G');
    EXPECT_EQ(addImageUnit(home.config, optical, a).letter, u'G');
    EXPECT_EQ(addImageUnit(home.config, optical, home.dir.filePath(QStringLiteral("b.TOC"))).letter, u'H');
    EXPECT_FALSE(addImageUnit(home.config, optical, home.dir.filePath(QStringLiteral("c.iso"))).error.isEmpty());
    EXPECT_EQ(letters(readCdUnits(home.config, {})), u"D=sr0 E=sr1 F=sr10 G=a.cue H=b.TOC");

    // An existing file keeps its other lines where they are.
    UnitsHome kept;
    const QString ini = writeText(kept.config, QStringLiteral("CDDRIVES.INI"),
                                  "[CDDRIVES]\r\nD=/dev/sr0\r\n; note\r\nbroken line\r\n\r\n[Other]\r\nx=1");
    EXPECT_EQ(addImageUnit(kept.config, {}, a).letter, u'E');
    EXPECT_EQ(sondex::test::readBytes(ini), "[CDDRIVES]\r\nD=/dev/sr0\r\n; note\r\nbroken line\r\nE=" + a.toUtf8() +
                                 "\r\n\r\n[Other]\r\nx=1\n");
}

TEST(DiscTitles, TitlesComeFromTheIdentitysSectionAndMissingOnesAreDashes) {
    QTemporaryDir dir;
    writeText(dir.path(), QStringLiteral("cdplayer.ini"),
              "[12FB]\r\nartist = \"Someone\"\r\ntitle=アルバム\r\n0=First\r\n1=\r\ngarbage\r\n"
              "[12fb]\r\n2=Third\r\nartist=Ignored\r\n[FF]\r\ntitle=Other\r\n");
    const DiscTitles first = readDiscTitles(dir.path(), QStringLiteral("12FB"), 1);
    EXPECT_EQ(first.artist, u"Someone");
    EXPECT_EQ(first.title, u"アルバム");
    EXPECT_EQ(first.trackName, u"First");
    EXPECT_EQ(readDiscTitles(dir.path(), QStringLiteral("12FB"), 2).trackName, u"--");
    EXPECT_EQ(readDiscTitles(dir.path(), QStringLiteral("12FB"), 3).trackName, u"Third");
    EXPECT_EQ(readDiscTitles(dir.path(), QStringLiteral("12FB"), 0).trackName, u"--");
    const DiscTitles unknown = readDiscTitles(dir.path(), QStringLiteral("ABC"), 1);
    EXPECT_EQ(unknown.artist + unknown.title + unknown.trackName, u"------");
    EXPECT_EQ(discTitlesFrom(QByteArray("\0\xff[\n=\n[", 7), QStringLiteral("12FB"), 1).title, u"--");
    EXPECT_EQ(readDiscTitles(dir.filePath(QStringLiteral("none")), QStringLiteral("12FB"), 1).title, u"--");
}

}  // namespace
}  // namespace sondex::cd
