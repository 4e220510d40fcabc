// The size report and the volume list as the window shows them: when the
// automatic report comes, which box it takes, and where the list is written.
#include "app/MainWindow.h"
#include "core/Identity.h"
#include "core/Settings.h"
#include "platform/DiskSpace.h"
#include "platform/IniSettingsStore.h"
#include "recording/DiskSpaceReport.h"
#include "support/DialogTestSupport.h"
#include "support/FileBytes.h"
#include "support/WindowRig.h"
#include "support/QuietSettings.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace sondex {
namespace {

// Every folder is a mount point of its own with 6,000,000,000 bytes free.
class SameDisks final : public DiskSpaceQueries {
public:
    FolderDisk folderDisk(const QString& folder) override {
        return {folder, {6000000000, 9000000000}, 1};
    }
};

TEST(DiskSpaceWindowTest,
     TheReportFollowsStartUpAndFormatChoicesWhileOnAndTheListOpensFromTheProgramFolder) {
    QTemporaryDir dir;
    const Identity identity = Identity::forThisUser();
    IniSettingsStore store(dir.filePath(QStringLiteral("SONDEX.ini")));
    test::writeQuietSettings(store, dir.path() + u'/',
                             {{QStringLiteral("REC_MAX"), QStringLiteral("1")}});
    Settings settings(identity.ProgramFolder);
    test::WindowRig rig;
    SameDisks disks;
    WindowServices services = rig.services();
    services.diskSpace = &disks;

    // Each report is noted with its countdown and closed at once.
    QStringList seen;
    const auto noteReport = [&] {
        test::onNextModal([&](QWidget* box) {
            seen.append(test::child<QTextEdit>(box, "MemoMsg")->toPlainText().section(u'\n', 6, 7) +
                        u' ' + test::child<QLabel>(box, "TMCountS")->text());
            test::click(box, "Btn_OK");
        });
    };
    noteReport();
    MainWindow window(identity, settings, store, services);
    window.show();
    QSignalSpy ready(&window, &MainWindow::startupFinished);
    ASSERT_TRUE(ready.wait(10000));

    noteReport();
    window.menus().main.MLate0->trigger();
    EXPECT_EQ(
        seen,
        QStringList({QStringLiteral("44100/ 16/ ｽﾃﾚｵ\n最大録音サイズ  2,147 MBytes    203分 10"),
                     QStringLiteral("8000/ 16/ ｽﾃﾚｵ\n最大録音サイズ  2,147 MBytes  1,118分 10")}));

    test::BoxTextWatch watch;
    window.menus().main.MO_REC_MAX->trigger();
    window.menus().main.MLate7->trigger();
    EXPECT_TRUE(watch.texts.isEmpty());

    window.menus().main.PAKI->trigger();
    const QString list = identity.ProgramFolder + QString::fromUtf8(diskspace::kDriveListFile);
    ASSERT_FALSE(rig.desktop.opened.isEmpty());
    EXPECT_EQ(rig.desktop.opened.constLast(), QUrl::fromLocalFile(list));
    const QByteArray bytes = test::readBytes(list);
    EXPECT_TRUE(bytes.startsWith(QStringLiteral("全ﾄﾞﾗｲﾌﾞ空きサイズ一覧").toUtf8()))
        << bytes.left(80).constData();
    EXPECT_TRUE(
        bytes.contains(" /:  6,000,000,000 Bytes    9,000,000,000 Bytes    567分/   850分\r\n"))
        << bytes.constData();
    window.close();
}

}  // namespace
}  // namespace sondex
