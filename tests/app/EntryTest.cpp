#include "core/Identity.h"
#include "app/ProgramEntry.h"
#include "platform/InstanceLock.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

const QString kUninstaller = uninstallerNameFor(0);

TEST(RunModeTest, OnlyTheExactLowerCaseFirstArgumentIsTheUninstallSwitch) {
    const QString program = QStringLiteral("/usr/bin/sondex");
    EXPECT_EQ(initialRunMode({QStringLiteral("/uninstall")}, program, kUninstaller), RunMode::Uninstall);
    EXPECT_EQ(initialRunMode({QStringLiteral("/UNINSTALL")}, program, kUninstaller), RunMode::Normal);
    EXPECT_EQ(initialRunMode({QStringLiteral("/RS"), QStringLiteral("/uninstall")}, program, kUninstaller),
              RunMode::Normal);
    EXPECT_EQ(initialRunMode({}, program, kUninstaller), RunMode::Normal);
}

TEST(RunModeTest, TheUninstallersNameSelectsMode2InAnyLetterCaseFromAnyFolder) {
    EXPECT_EQ(kUninstaller, QStringLiteral("unin_tavik000"));
    EXPECT_EQ(uninstallerNameFor(7), QStringLiteral("unin_tavik007"));
    EXPECT_EQ(uninstallerNameFor(1234), QStringLiteral("unin_tavik234"));  // the product number's last three digits
    for (const char* name : {"unin_tavik000", "UNIN_TAVIK000", "/opt/x y/Unin_Tavik000", "./unin_tAVIK000"})
        EXPECT_EQ(initialRunMode({}, QString::fromUtf8(name), kUninstaller), RunMode::UninstallCopy) << name;
    EXPECT_EQ(initialRunMode({}, QStringLiteral("unin_tavik000.exe"), kUninstaller), RunMode::Normal);
    EXPECT_EQ(initialRunMode({}, QStringLiteral("/home/unin_tavik000/sondex"), kUninstaller), RunMode::Normal);
}

TEST(RunModeTest, UninstallWhileTheRecorderOrSetupRunsIsRefused) {
    QTemporaryDir dir;
    const InstanceFiles files{dir.filePath(QStringLiteral("e")), dir.filePath(QStringLiteral("r")),
                              dir.filePath(QStringLiteral("s")), dir.filePath(QStringLiteral("u"))};
    EXPECT_EQ(refineRunMode(RunMode::Uninstall, files), RunMode::Uninstall);
    {
        InstanceLock recorder(files.recorderLock);
        ASSERT_TRUE(recorder.tryLock());
        EXPECT_EQ(refineRunMode(RunMode::Uninstall, files), RunMode::UninstallRefused);
        // Only the switch is refused; the uninstaller copy goes ahead.
        EXPECT_EQ(refineRunMode(RunMode::UninstallCopy, files), RunMode::UninstallCopy);
    }
    InstanceLock setup(files.setupLock);
    ASSERT_TRUE(setup.tryLock());
    EXPECT_EQ(refineRunMode(RunMode::Uninstall, files), RunMode::UninstallRefused);
}

TEST(VersionTest, EmptyReadsAs255AndOnlyDecimalTextsCompare) {
    EXPECT_EQ(storedVersion(QString()), 255);
    EXPECT_EQ(storedVersion(QStringLiteral("22")), 22);
    EXPECT_EQ(storedVersion(QStringLiteral("21")), 21);
    EXPECT_EQ(storedVersion(QStringLiteral("255")), 255);
    EXPECT_EQ(storedVersion(QStringLiteral("2.2")), std::nullopt);
    EXPECT_EQ(storedVersion(QStringLiteral("0x16")), std::nullopt);
    EXPECT_EQ(storedVersion(QStringLiteral("abc")), std::nullopt);
}

TEST(ForwardTextTest, ArgumentsAreJoinedWithQuestionMarks) {
    EXPECT_EQ(joinForwardedArguments({QStringLiteral("/RS"), QStringLiteral("/home/a b/x.mid")}),
              QStringLiteral("/RS?/home/a b/x.mid"));
    EXPECT_EQ(joinForwardedArguments({}), QString());
    EXPECT_EQ(joinForwardedArguments({QString(), QStringLiteral("/T")}), QStringLiteral("?/T"));
}

}  // namespace
}  // namespace sondex
