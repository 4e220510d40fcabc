#include "platform/MixerLauncher.h"
#include "support/FileBytes.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace sondex {
namespace {

using Tab = MixerLauncher::Tab;
using Launch = MixerLauncher::Launch;

// The lines a detached stand-in has written, once there are `count` of them.
QList<QByteArray> linesOnceWritten(const QString& path, qsizetype count) {
    const QDeadlineTimer deadline(5000);
    QList<QByteArray> lines;
    do {
        lines = test::readBytes(path).split('\n');
        lines.removeAll(QByteArray());
        if (lines.size() >= count) break;
        QThread::msleep(10);
    } while (!deadline.hasExpired());
    return lines;
}

// pavucontrol counts its pages from 1 in the order it shows them: playback,
// recording, output devices, input devices, configuration.
TEST(MixerLauncherTest, PavucontrolIsLookedForOnThePathAndOpenedOnThePageAsked) {
    QTemporaryDir bin;
    const QByteArray path = qgetenv("PATH");
    const auto restorePath = qScopeGuard([&path] { qputenv("PATH", path); });
    qputenv("PATH", QFile::encodeName(bin.path()));
    PavucontrolLauncher mixer;
    EXPECT_FALSE(mixer.isInstalled());
    EXPECT_EQ(mixer.open(Tab::Playback, false), Launch::Missing);

    // A stand-in that writes its arguments down.
    const QString program = bin.filePath(QStringLiteral("pavucontrol"));
    const QString log = bin.filePath(QStringLiteral("arguments"));
    ASSERT_TRUE(
        test::writeBytes(program, "#!/bin/sh\necho \"$@\" >> '" + QFile::encodeName(log) + "'\n"));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(mixer.isInstalled());
    EXPECT_EQ(mixer.open(Tab::Recording, false), Launch::Started);
    EXPECT_EQ(linesOnceWritten(log, 1).size(), 1);
    EXPECT_EQ(mixer.open(Tab::InputDevices, true), Launch::Started);
    EXPECT_EQ(linesOnceWritten(log, 2), (QList<QByteArray>{"--tab=2", "--tab=4 --maximize"}));
}

}  // namespace
}  // namespace sondex
