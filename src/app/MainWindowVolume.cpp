// The volume button and its menu, which open the desktop's sound mixer on the
// page each command names, and the command that shows the shell's start-up file.
#include "app/MainWindow.h"

#include "cd/CdControlPanel.h"
#include "platform/AppPaths.h"
#include "platform/DesktopServices.h"
#include "platform/SettingsStore.h"
#include "shell/VolumeMenu.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

namespace sondex {

namespace {

using Tab = MixerLauncher::Tab;

struct MixerCommand {
    QAction* VolumeMenuCommands::*action;
    Tab tab;
    bool sized;  // follows the small-size choice
};

// "Other volumes" are the inputs' own levels, which the recording page does
// not show; the configuration page holds no volume at all.
constexpr MixerCommand kMixerCommands[] = {
    {&VolumeMenuCommands::PVOL, Tab::Playback, true},
    {&VolumeMenuCommands::PVOL_R, Tab::Recording, true},
    {&VolumeMenuCommands::PVOL_ETC, Tab::InputDevices, true},
    // The main volume alone always comes in the mixer's own size.
    {&VolumeMenuCommands::PVOL_MAIN, Tab::OutputDevices, false},
};

// Kept beside the settings, as the mixer's own option: "0" is the large
// window; anything else, and no value, the mixer's own size.
const QString kSmallSizeValue = QStringLiteral("VOL_SMALL");

}  // namespace

void MainWindow::bindVolumeCommands() {
    const VolumeMenuCommands& volume = menus_.volume;
    connect(cd_->Button35, &QPushButton::clicked, this, &MainWindow::Button35Click);
    for (const MixerCommand& command : kMixerCommands) {
        connect(volume.*command.action, &QAction::triggered, this, [this, command] {
            openMixer(command.tab, command.sized && mixerLarge(),
                      QStringLiteral("ボリュームエラー： ボリューム表示に失敗しました・・・\n"
                                     "WIN付属のボリュームコントロールがインストールされているか\n"
                                     "確認して下さい☆☆☆☆"));
        });
    }
    connect(volume.PVOL_S, &QAction::triggered, this, &MainWindow::PVOL_SClick);
    connect(volume.PopupMenu_VOL, &QMenu::aboutToShow, this, &MainWindow::onVolumeMenuOpening);
    connect(menus_.main.MR_AUTOEXEC, &QAction::triggered, this, &MainWindow::MR_AUTOEXECClick);
}

void MainWindow::Button35Click() {
    // Out of reach while the mixer starts, so one press starts one mixer.
    cd_->Button35->hide();
    openMixer(Tab::Playback, mixerLarge(),
              QStringLiteral("ﾎﾞﾘｭｰﾑ： ﾎﾞﾘｭｰﾑ表示に失敗しました・・・"));
    cd_->Button35->show();
}

bool MainWindow::openMixer(Tab tab, bool large, const QString& notice) {
    const MixerLauncher::Launch launch = mixer_.open(tab, large);
    if (launch == MixerLauncher::Launch::Started) return true;
    QString text = notice;
    if (launch == MixerLauncher::Launch::Missing)
        text += QStringLiteral("\nパッケージ「%1」をインストールして下さい")
                    .arg(QLatin1String(kMixerPackage));
    MKBoxDlg1_->TMMsgBox(text, BoxAnswer::Ok);
    return false;
}

bool MainWindow::mixerLarge() const {
    return store_.readText(kSmallSizeValue) == u'0';
}

void MainWindow::onVolumeMenuOpening() {
    // The size is a choice only where there is a mixer to open in it.
    menus_.volume.PVOL_S->setEnabled(mixer_.isInstalled());
    menus_.volume.PVOL_S->setChecked(!mixerLarge());
}

void MainWindow::PVOL_SClick(bool small) {
    store_.writeText(kSmallSizeValue, small ? QStringLiteral("1") : QStringLiteral("0"));
}

void MainWindow::MR_AUTOEXECClick() {
    // Where a desktop session's TEMP and TMP would be set: the login shell's start-up file.
    const QString path = paths::homeFolder() + QStringLiteral("/.profile");
    if (!QFileInfo(path).isFile()) {
        MKBoxDlg1_->TMMsgBox(QStringLiteral("autoexec表示：\n") + path +
                                 QStringLiteral("\nファイルがありません・・・"),
                             BoxAnswer::Ok);
        return;
    }
    if (!desktop_.openFile(path)) {
        MKBoxDlg1_->TMMsgBox(path + QStringLiteral("\nｴﾗｰ：表示に失敗しました・・・"),
                             BoxAnswer::Ok);
        desktop_.beep();
    }
}

}  // namespace sondex
