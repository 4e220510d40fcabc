// The volume button and menu as the user meets them: the mixer page each one
// opens, the size choice, what a missing mixer tells, and the start-up file.
#include "app/MainWindow.h"
#include "cd/CdControlPanel.h"
#include "core/Identity.h"
#include "core/Settings.h"
#include "platform/IniSettingsStore.h"
#include "shell/VolumeMenu.h"
#include "support/DialogTestSupport.h"
#include "support/FileBytes.h"
#include "support/QuietSettings.h"
#include "support/WindowRig.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace sondex {
namespace {

using Tab = MixerLauncher::Tab;
using Launch = MixerLauncher::Launch;
using Opening = test::FakeMixer::Opening;

class VolumeWindowTest : public ::testing::Test {
protected:
    VolumeWindowTest()
        : identity(Identity::forThisUser()),
          store(dir.filePath(QStringLiteral("SONDEX.ini"))),
          settings(identity.ProgramFolder) {
        test::writeQuietSettings(store, dir.path() + u'/');
        window = std::make_unique<MainWindow>(identity, settings, store, rig.services());
        window->show();
        QSignalSpy ready(window.get(), &MainWindow::startupFinished);
        EXPECT_TRUE(ready.wait(10000));
        vol = window->findChild<QPushButton*>(QStringLiteral("Button35"));
    }

    const VolumeMenuCommands& volume() const { return window->menus().volume; }

    // The button and the menu's four mixers, in that order.
    QList<Opening> openEveryMixer() {
        rig.mixer.opened.clear();
        vol->click();
        for (QAction* mixer :
             {volume().PVOL, volume().PVOL_R, volume().PVOL_ETC, volume().PVOL_MAIN})
            mixer->trigger();
        return rig.mixer.opened;
    }

    // The text of the box that `act` brings up; the box is then closed.
    QString boxShownBy(const std::function<void()>& act) {
        QString text;
        test::onNextModal([&text](QWidget* box) {
            text = test::child<QTextEdit>(box, "MemoMsg")->toPlainText().remove(u'\r');
            test::click(box, "Btn_OK");
        });
        act();
        return text;
    }

    QTemporaryDir dir;
    Identity identity;
    IniSettingsStore store;
    Settings settings;
    test::WindowRig rig;
    std::unique_ptr<MainWindow> window;
    QPushButton* vol = nullptr;
};

TEST_F(VolumeWindowTest, EachCommandOpensItsMixerPageAndTheSizeChoiceIsKept) {
    ASSERT_NE(vol, nullptr);
    EXPECT_EQ(openEveryMixer(), (QList<Opening>{{Tab::Playback, false},
                                                {Tab::Playback, false},
                                                {Tab::Recording, false},
                                                {Tab::InputDevices, false},
                                                {Tab::OutputDevices, false}}));

    // Small size switched off: the mixers open large, but the main volume alone never does.
    Q_EMIT volume().PopupMenu_VOL->aboutToShow();
    ASSERT_TRUE(volume().PVOL_S->isEnabled());
    ASSERT_TRUE(volume().PVOL_S->isChecked());
    volume().PVOL_S->trigger();
    EXPECT_EQ(openEveryMixer(), (QList<Opening>{{Tab::Playback, true},
                                                {Tab::Playback, true},
                                                {Tab::Recording, true},
                                                {Tab::InputDevices, true},
                                                {Tab::OutputDevices, false}}));
    EXPECT_EQ(store.readText(QStringLiteral("VOL_SMALL")), QStringLiteral("0"));
    volume().PVOL_S->setChecked(true);
    Q_EMIT volume().PopupMenu_VOL->aboutToShow();
    EXPECT_FALSE(volume().PVOL_S->isChecked());  // the menu shows what is stored
}

TEST_F(VolumeWindowTest, AMissingMixerNamesItsPackageAndTheStartUpFileOpensOnlyWhenThereIsOne) {
    ASSERT_NE(vol, nullptr);
    rig.mixer.answer = Launch::Missing;
    Q_EMIT volume().PopupMenu_VOL->aboutToShow();
    EXPECT_FALSE(volume().PVOL_S->isEnabled());
    EXPECT_EQ(boxShownBy([this] { vol->click(); }),
              QStringLiteral("ﾎﾞﾘｭｰﾑ： ﾎﾞﾘｭｰﾑ表示に失敗しました・・・\n"
                             "パッケージ「pavucontrol」をインストールして下さい"));
    EXPECT_TRUE(vol->isVisible());
    // Installed but failing to start: nothing to install.
    rig.mixer.answer = Launch::Failed;
    EXPECT_EQ(boxShownBy([this] { volume().PVOL_R->trigger(); }),
              QStringLiteral(
                  "ボリュームエラー： ボリューム表示に失敗しました・・・\n"
                  "WIN付属のボリュームコントロールがインストールされているか\n確認して下さい☆☆☆☆"));

    const QString profile = QDir::homePath() + QStringLiteral("/.profile");
    const auto removeProfile = qScopeGuard([&profile] { QFile::remove(profile); });
    QAction* autoexec = window->menus().main.MR_AUTOEXEC;
    EXPECT_EQ(boxShownBy([autoexec] { autoexec->trigger(); }),
              QStringLiteral("autoexec表示：\n") + profile +
                  QStringLiteral("\nファイルがありません・・・"));
    ASSERT_TRUE(test::writeBytes(profile, "export TEMP=/tmp\n"));
    autoexec->trigger();
    EXPECT_EQ(rig.desktop.opened, QList<QUrl>{QUrl::fromLocalFile(profile)});
}

}  // namespace
}  // namespace sondex
