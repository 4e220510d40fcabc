#include "app/MainWindow.h"

#include "ui/Commands.h"
#include "core/Logging.h"
#include "app/MainMenus.h"
#include "ui/PopupOpener.h"
#include "core/Settings.h"
#include "ui/ToolTipSwitch.h"
#include "app/WindowAreas.h"
#include "core/WindowMessages.h"
#include "app/WindowPrompts.h"
#include "cd/CdDeviceAccess.h"
#include "cd/CdUnitQueries.h"
#include "recording/FormatCommands.h"
#include "music/MusicRecording.h"
#include "core/RecordingController.h"
#include "recording/ManualRecording.h"
#include "core/RecordingLog.h"
#include "platform/DiskSpace.h"
#include "platform/MixerLauncher.h"
#include "core/RecordingSession.h"
#include <QCheckBox>
#include "ui/dialogs/TMKBoxDlg.h"
#include "ui/dialogs/TTmSETBoxDlg.h"
#include "cd/CdControlPanel.h"
#include "cd/CdListPanel.h"
#include "cd/CdMenus.h"
#include "music/MusicMenus.h"
#include "music/MusicPanel.h"
#include "platform/SettingsStore.h"
#include "recording/ManualPanel.h"
#include "recording/RecordingMenus.h"
#include "shell/TrayMenu.h"
#include "shell/VolumeMenu.h"
#include "timer/TimerMenus.h"
#include "timer/TimerPanel.h"
#include "ui/tray/TTaskTray.h"
#include "ui/tray/TrayBackend.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace sondex {

namespace {
constexpr int kClientWidth = 267;
}  // namespace

MainWindow::MainWindow(const Identity& identity, Settings& settings, SettingsStore& store,
                       WindowServices services, QStringList arguments, QWidget* parent)
    : QMainWindow(parent),
      identity_(identity),
      settings_(settings),
      store_(store),
      desktop_(services.desktop),
      powerOff_(services.powerOff),
      channel_(services.channel),
      clock_(services.clock),
      disks_(services.diskSpace ? *services.diskSpace : systemDiskSpace()),
      mixer_(services.mixer ? *services.mixer : systemMixer()),
      arguments_(std::move(arguments)),
      commands_(new Commands(this)),
      MKBoxDlg1_(new TMKBoxDlg(*this, this)),
      TmSETBoxDlg1_(new TTmSETBoxDlg(*this, this)),
      popups_(new PopupOpener(flags_, this)),
      Timer1_(new QTimer(this)),
      Timer6_(new QTimer(this)) {
    setObjectName(QStringLiteral("TSONDEX_TAVIK"));
    setWindowTitle(identity.AppTitle);
    MKBoxDlg1_->setObjectName(QStringLiteral("MKBoxDlg1"));
    TmSETBoxDlg1_->setObjectName(QStringLiteral("TmSETBoxDlg1"));
    qApp->installEventFilter(new ToolTipSwitch([this] { return toolTipsShown(); }, this));

    buildClient();
    buildMenus();
    bindCommands();
    buildCdDrives();
    buildRecording();
    buildDiskSpace();
    buildTimerLists();
    buildCdAccess();
    buildCdPlay();
    buildTimerRun(services.sleep, std::move(services.timeOfDay));
    buildTray(services.tray);
    creationClientWidth_ = kClientWidth;
    resize(kClientWidth, menuBar()->sizeHint().height() + fullClientHeight());
    createWindow();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildClient() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("ClientArea"));
    client_->resize(kClientWidth, 371);
    setCentralWidget(client_);

    PSTBar1_ = buildStatusBar(client_);
    cd_ = new CdControlPanel(client_);
    cdList_ = new CdListPanel(client_);
    commands_->addCheckBox(cd_->CheckBox1);
    commands_->addCheckBox(cd_->CheckBox2);

    Panel2_ = new QFrame(client_);
    Panel2_->setObjectName(QStringLiteral("Panel2"));
    Panel2_->setAutoFillBackground(true);
    Button23_ = new QPushButton(QStringLiteral("手　動　　録　音"), Panel2_);
    Button23_->setObjectName(QStringLiteral("Button23"));
    Button23_->setToolTip(QStringLiteral("手動録音画面を開く"));
    music_ = new MusicPanel(Panel2_);
    timer_ = new TimerPanel(Panel2_);
    timer_->hide();
    manual_ = new ManualPanel(Panel2_);
    manual_->hide();
    commands_->addCheckBox(music_->MIDSAVE);
    commands_->addCheckBox(music_->MIDREP);
    Panel2_->hide();
    layoutMusicArea();

    PanelOPEN_ = buildStartupBanner(client_, identity_.AppTitle);
    PanelOPEN_->raise();
}

void MainWindow::buildMenus() {
    menus_.main = buildMainMenu(*menuBar(), *commands_);
    menus_.tray = buildTrayMenu(*this, *commands_);
    PopupMenu1_ = menus_.tray.PopupMenu1;
    menus_.cd = buildCdMenus(*this, *commands_);
    menus_.recording = buildRecordingMenus(*this, *commands_);
    menus_.music = buildMusicMenus(*this, *commands_);
    menus_.timer = buildTimerMenus(*this, *commands_);
    menus_.volume = buildVolumeMenu(*this, *commands_);
}


void MainWindow::onDeviceNotice(int message, qint64 wParam, qint64 lParam) {
    qCInfo(lcNotice) << "device notice" << message << wParam << lParam;
    for (RecordingController* controller : controllers_) {
        if (controller->onDeviceNotice(message, wParam, lParam)) return;
    }
}



}  // namespace sondex
