#include "support/pulse/PrivatePulseServer.h"
#include "CdToneImage.h"
#include "TestFiles.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using sondex::test::PrivatePulseServer;

namespace {

QStringList runTool(const QByteArray& input, const QProcessEnvironment& env, int* exitCode) {
    QProcess tool;
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(SONDEX_MCI_TOOL), {});
    tool.write(input);
    tool.closeWriteChannel();
    EXPECT_TRUE(tool.waitForFinished(20000));
    *exitCode = tool.exitCode();
    return QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

TEST(SondexMciTool, PrintsResultsRepliesAndNoticesInOrder) {
    PrivatePulseServer server;
    ASSERT_TRUE(server.start()) << server.failure().toStdString();
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("テンプレート.wav"));
    ASSERT_TRUE(sondex::mci::test::writeTemplateWav(wav, 22050, 16, 1));
    QProcessEnvironment env = server.clientEnvironment();
    env.insert(QStringLiteral("TEMP"), dir.path());

    const QString script = QStringLiteral(
        "Open \"%1\" alias tavikREC buffer 2 wait\n"
        "capability tavikREC can record\n"
        "record tavikREC notify\n"
        "sleep 300\n"
        "stop tavikREC wait\n"
        "sleep 100\n"
        "bogus tavikREC\n"
        "status tavikMID position\n"
        "record TAVIKrec notify\n"
        "close tavikREC\n").arg(wav);
    int exitCode = -1;
    const QStringList lines = runTool(script.toUtf8(), env, &exitCode);
    EXPECT_EQ(exitCode, 0);
    const QStringList expected = {
        QStringLiteral("0"), QStringLiteral("0 true"), QStringLiteral("0"), QStringLiteral("0"),
        QStringLiteral("notify tavikREC 4"), QStringLiteral("258"), QStringLiteral("261"),
        QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("notify TAVIKrec 4"),
    };
    EXPECT_EQ(lines, expected) << lines.join(QLatin1Char('|')).toStdString();
}

TEST(SondexMciTool, PlaysACdUnitListedInItsConfigFolder) {
    PrivatePulseServer server;
    ASSERT_TRUE(server.start()) << server.failure().toStdString();
    QTemporaryDir dir;
    const QString cue = sondex::mci::test::writeToneImage(dir.path(), QStringLiteral("disc"), 2, 2, 440, 0.3);
    sondex::mci::test::writeCdDrives(dir.filePath(QStringLiteral("TAVIK SOFT32")), u'F', cue);
    QProcessEnvironment env = server.clientEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());

    const QByteArray script =
        "open cdaudio!f: alias tavikCD\n"
        "set tavikCD time format tmsf\n"
        "status tavikCD number of tracks\n"
        "status tavikCD position track 2\n"
        "play tavikCD from 2:00:01:00 to 2:00:01:20 notify\n"
        "sleep 4000\n"
        "status tavikCD position\n"
        "close tavikCD\n";
    int exitCode = -1;
    const QStringList lines = runTool(script, env, &exitCode);
    EXPECT_EQ(exitCode, 0);
    const QStringList expected = {
        QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0 2"), QStringLiteral("0 02:00:00:00"),
        QStringLiteral("0"), QStringLiteral("notify tavikCD 1"), QStringLiteral("0 02:00:01:20"), QStringLiteral("0"),
    };
    EXPECT_EQ(lines, expected) << lines.join(QLatin1Char('|')).toStdString();
}

TEST(SondexMciTool, TakesCommandsAsArgumentsToo) {
    QProcess tool;
    tool.start(QStringLiteral(SONDEX_MCI_TOOL), {QStringLiteral("open sequencer alias tavikMID"), QString()});
    ASSERT_TRUE(tool.waitForFinished(10000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(tool.readAllStandardOutput()), QStringLiteral("270\n257\n"));
}
