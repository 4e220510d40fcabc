// The window's own commands and the bindings that keep menus, check boxes
// and settings in step.
#include "app/MainWindow.h"

#include "app/AboutWindow.h"
#include "ui/Commands.h"
#include "ui/PopupOpener.h"
#include "core/Settings.h"
#include "ui/dialogs/MenuNumbers.h"
#include "ui/dialogs/TMKBoxDlg.h"
#include "cd/CdControlPanel.h"
#include "cd/CdListPanel.h"
#include "cd/CdUnitSounds.h"
#include "music/MusicPanel.h"
#include "music/MusicRecording.h"
#include "platform/AppPaths.h"
#include "platform/JapaneseCalendar.h"
#include "platform/DesktopServices.h"
#include "platform/ListFile.h"
#include "platform/cd/CdStreamVolumes.h"
#include "platform/cd/CdUnits.h"
#include "platform/SettingsStore.h"
#include "recording/ManualPanel.h"
#include "recording/ManualRecording.h"
#include "core/RecordingLog.h"
#include "timer/TimerPanel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace sondex {

namespace {

struct NumberCommand {
    MenuNumberCommand command;
    QAction* MainMenuCommands::*action;
    Setting setting;
};

// The option commands that ask for their value with the number dialog.
constexpr NumberCommand kNumberCommands[] = {
    {MenuNumberCommand::TMBuf, &MainMenuCommands::TMBuf, Setting::BufCount},
    {MenuNumberCommand::MSHUDO, &MainMenuCommands::MSHUDO, Setting::SHUDO},
    {MenuNumberCommand::MO_NR_WAIT, &MainMenuCommands::MO_NR_WAIT, Setting::NR_WAIT},
    {MenuNumberCommand::MINTORO, &MainMenuCommands::MINTORO, Setting::INTORO},
    {MenuNumberCommand::MO_CD_TRACK_PLUS, &MainMenuCommands::MO_CD_TRACK_PLUS, Setting::Track_END_PLUS},
};

}  // namespace

void MainWindow::bindCommands() {
    Commands& c = *commands_;
    Settings& s = settings_;

    c.bindSwitch(s, Setting::START, {"Start1", "PST0"});
    c.bindSwitch(s, Setting::Start_REC, {"MF_Start_REC"});
    c.exclude(Setting::START, Setting::Start_REC);
    c.bindSwitch(s, Setting::STARTMIN, {"Start2"});
    c.bindSwitch(s, Setting::REPEAT, {"TR6", "CheckBox2", "MREPERTCD"});
    c.bindSwitch(s, Setting::REPEATMIDI, {"MIDREP", "MREPERTMIDI"});
    c.bindSwitch(s, Setting::BackColor, {"BackColor"});
    c.bindSwitch(s, Setting::SHUDOREC_TM_END, {"MO_SHUDOREC_TM_END", "PR_SHUDOREC_TM_END"});
    c.bindSwitch(s, Setting::REC_MAX, {"MO_REC_MAX", "PR_REC_MAX"});
    c.bindSwitch(s, Setting::SetNowTime_Select, {"MO_SetNowTime_Select", "PR_SetNowTime_Select"});
    c.bindSwitch(s, Setting::SAVE_NAME, {"MF_SAVE_NAME"});
    c.bindSwitch(s, Setting::minihelp, {"HELP3"});
    c.bindSwitch(s, Setting::FileOnly, {"MSSN"});
    c.bindSwitch(s, Setting::No_Memo, {"No_Memo"});
    c.bindSwitch(s, Setting::W31CDSET, {"MO_CD_SELECT"});
    c.bindSwitch(s, Setting::BIGFONT, {"PBIGFONT"});
    c.bindSwitch(s, Setting::RecodeFn, {"RecodeFn"});
    c.bindSwitch(s, Setting::MIDIREC, {"MIDIREC"});
    c.bindSwitch(s, Setting::RECTESTFILE, {"MRECTFILE"});
    c.bindChoice(s, Setting::rate2,
                 {{"MLate0", "MLate1", "MLate2", "MLate3", "MLate4", "MLate5", "MLate6", "MLate7", "MLate8"},
                  {"Late0", "Late1", "Late2", "Late3", "Late4", "Late5", "Late6", "Late7", "Late8"}});
    c.bindChoice(s, Setting::Bit, {{"MBits8", "MBits16"}, {"Bits8", "Bits16"}});
    c.bindChoice(s, Setting::stereo, {{"MMono", "MStereo"}, {"mono", "stereo"}});
    c.mirror({"CheckBox1", "TRSAVE"});
    c.mirror({"MO_TM_OFF", "PR_TM_OFF"});

    bindNumberCommands();
    bindClockCommands();
    bindLeftoverCommands();
    bindShortcutCommands();
    bindVolumeCommands();

    connect(&s, &Settings::changed, this, [this](Setting changed) {
        if (changed == Setting::BackColor) applyListColours();
        if (changed == Setting::BIGFONT) music_->setBigFont(settings_.isOn(Setting::BIGFONT));
        if (changed == Setting::INTORO || changed == Setting::Track_END_PLUS) applyTimeLabelColours();
        if (changed == Setting::REPEAT || changed == Setting::REPEATMIDI) applyRepeatColours();
    });

    connect(menus_.main.X1, &QAction::triggered, this, [this] { requestClose(); });
    connect(menus_.main.MTempSet, &QAction::triggered, this, [this] { MTempSetClick(); });
    connect(menus_.main.MF_AUTO_OFF, &QAction::triggered, this, [this] { MF_AUTO_OFFClick(); });
    connect(menus_.main.MF_AUTO_OFF_WIN, &QAction::triggered, this, [this] { MF_AUTO_OFF_WINClick(); });
    connect(menus_.tray.P2, &QAction::triggered, this, [this] { requestClose(); });
    connect(menus_.main.K1, &QAction::triggered, this, [this] { K1Click(); });
    connect(menus_.main.MO_CDVSET, &QAction::triggered, this, [this] { MO_CDVSETClick(); });
    connect(menus_.main.MO_JK, &QAction::triggered, this, [this] { MO_JKClick(); });
    connect(menus_.recording.PR_JK, &QAction::triggered, this, [this] { MO_JKClick(); });
    connect(menus_.main.MHELP_VERCUT, &QAction::triggered, this, [this] { MHELP_VERCUTClick(); });
    connect(menus_.main.HELP2, &QAction::triggered, this, [this] { HELP2Click(); });
    connect(menus_.main.MQ_A, &QAction::triggered, this, [this] { MQ_AClick(); });
    connect(menus_.main.HELP_MOKUJI, &QAction::triggered, this, [this] { HELP_MOKUJIClick(); });
    connect(menus_.main.HELP_KEYWORD, &QAction::triggered, this, [this] { HELP_KEYWORDClick(); });
    connect(menus_.tray.P5, &QAction::triggered, this, [this] { HELP_MOKUJIClick(); });

    connect(cd_->Button7, &QPushButton::clicked, this, &MainWindow::Button7Click);
    connect(Button23_, &QPushButton::clicked, this, &MainWindow::Button23Click);
    connect(music_->Button30, &QPushButton::clicked, this, &MainWindow::Button30Click);
    connect(manual_->Button22, &QPushButton::clicked, this, &MainWindow::Button22Click);
    connect(timer_->Button_JK_CLOSE, &QPushButton::clicked, timer_, &QWidget::hide);

    connect(menus_.main.MStart0, &QMenu::aboutToShow, this, &MainWindow::onStartMenuOpening);
    connect(menus_.main.MOption0, &QMenu::aboutToShow, this, &MainWindow::onOptionsMenuOpening);
    connect(PopupMenu1_, &QMenu::aboutToShow, this, &MainWindow::onTrayMenuOpening);

    popups_->attach(cd_->Button35, menus_.volume.PopupMenu_VOL);
    popups_->attach(cdList_->ListBox2, menus_.cd.PopupMenuLB);
    for (QWidget* search : {cdList_->Button8, cdList_->Button9}) popups_->attach(search, menus_.cd.PopupMenu_CD);
    popups_->attach(music_->ListBox3, menus_.music.PopupMenuMIDI);
    popups_->attach(music_->ListBoxFNF, menus_.music.PopupMenuMIDI);
    popups_->attach(manual_->Label_Rate, menus_.recording.PopupMenu_Rate, Qt::LeftButton | Qt::RightButton);
    for (QWidget* timer : {manual_->Label_TM_ONOFF, manual_->Label15, manual_->Label9, manual_->Label_JK_TM})
        popups_->attach(timer, menus_.recording.PopupMenu_TM);
    popups_->attach(timer_->ListBox_JK, menus_.timer.PopupMenu_JK);
    for (QWidget* hours : {timer_->Label_JK_SH, timer_->Label_JK_EH})
        popups_->attach(hours, menus_.timer.PopupMenu_JK_H, Qt::AllButtons);
    for (QWidget* minutes : {timer_->Label_JK_SM, timer_->Label_JK_EM})
        popups_->attach(minutes, menus_.timer.PopupMenu_JK_M, Qt::AllButtons);
}

void MainWindow::bindNumberCommands() {
    for (const NumberCommand& number : kNumberCommands) {
        connect(menus_.main.*number.action, &QAction::triggered, this, [this, number] {
            const auto choice = askMenuNumber(*TmSETBoxDlg1_, number.command, settings_.number(number.setting));
            if (!choice) return;
            if (number.command == MenuNumberCommand::MSHUDO) {
                manualRec_->ShowManualTimer(choice->value);
                return;
            }
            settings_.setNumber(number.setting, choice->value);
            if (!choice->caption.isEmpty()) (menus_.main.*number.action)->setText(choice->caption);
        });
    }
    connect(menus_.recording.PR_SHUDO, &QAction::triggered, this, [this] { menus_.main.MSHUDO->trigger(); });
}

void MainWindow::writeNumberCaptions() {
    for (const NumberCommand& number : kNumberCommands) {
        const QString caption = menuNumberCaption(number.command, settings_.number(number.setting));
        if (!caption.isEmpty()) (menus_.main.*number.action)->setText(caption);
    }
}

void MainWindow::showSwitchError() {
    MKBoxDlg1_->TMMsgBox(QStringLiteral("切り替えエラー：\n 録音を解除／停止しないと、切り替えられません。"), BoxAnswer::Ok);
}

void MainWindow::K1Click() {
    if (runActive(RecordingKind::Cd)) {
        showSwitchError();
        return;
    }
    cd_->CheckBox1->setEnabled(false);
    menus_.tray.TRSAVE->setEnabled(false);
    Panel2_->show();
    if (isCompact()) Button7Click();
}

void MainWindow::Button30Click() {
    // The manual panel goes with the music area, and so does a recording on it.
    if (manualRec_->state() != ManualRecording::State::Idle) manualRec_->Button22Click();
    musicRec_->stopForClose();
    Panel2_->hide();
    cd_->CheckBox1->setEnabled(true);
    menus_.tray.TRSAVE->setEnabled(true);
}

void MainWindow::Button23Click() {
    if (runActive(RecordingKind::Music)) {
        showSwitchError();
        return;
    }
    manual_->show();
    manual_->raise();
    music_->MIDSAVE->setEnabled(false);
}

void MainWindow::Button22Click() {
    manualRec_->Button22Click();
    manual_->hide();
    music_->MIDSAVE->setEnabled(true);
}

void MainWindow::MO_JKClick() {
    manual_->Label_YoBI->setText(calendar::weekdayLabel(QDate::currentDate()));
    showTimerPanel();
}

void MainWindow::showTimerPanel() {
    timer_->show();
    timer_->raise();
    if (manual_->isVisibleTo(this)) manual_->raise();
}

void MainWindow::onStartMenuOpening() {
    const LogMenuState state = log_->menuState();
    menus_.main.MS_REC_TXT->setEnabled(state.previous);
    menus_.main.MKIROKU->setEnabled(state.show);
    menus_.main.MKIROKUCLR->setEnabled(state.clear);
}

void MainWindow::MO_CDVSETClick() {
    // A few round trips to the sound server, bounded by its timeout; short
    // enough to wait for on this thread.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const cd::CdUnitTable table = cd::readCdUnits(paths::configFolder(), cd::opticalDrives());
    const std::unique_ptr<cd::CdStreamVolumes> volumes = cd::connectCdStreamVolumes();
    const CdRepairPlan plan = planCdVolumeRepair(findCdUnitSounds(table, *volumes));
    applyCdRepair(plan, *volumes);  // a change the server refused is found again by the next repair
    QApplication::restoreOverrideCursor();

    for (const QString& message : plan.messages) MKBoxDlg1_->TMMsgBox(message, BoxAnswer::Ok);
    if (plan.noUnits) return;
    const QString path = identity_.ProgramFolder + QString::fromUtf8(kCdRepairReportFile);
    if (!listfile::write(path, cdRepairReport(identity_.AppTitle, QDateTime::currentDateTime(), plan.lines)))
        return;
    if (!desktop_.openFile(path)) {
        MKBoxDlg1_->TMMsgBox(path + QStringLiteral("\nｴﾗｰ：表示に失敗しました・・・"), BoxAnswer::Ok);
        desktop_.beep();
    }
}

QString MainWindow::storedVersionText() const {
    return versionText(storedVersion(store_.readText(QStringLiteral("Version"))));
}

void MainWindow::onTrayMenuOpening() {
    menus_.tray.P5->setText(QStringLiteral("使い方　") + identity_.ProductKey + QStringLiteral(".EXE V") +
                               storedVersionText());
}

void MainWindow::MHELP_VERCUTClick() {
    const BoxAnswer answer = MKBoxDlg1_->TMMsgBoxYN(
        QStringLiteral("バージョン番号削除：\nインストールソフトを再起動させたい時に使います。\n"
                       "なお、バージョンが違う時は、インストールソフトが自動起動するので、\n"
                       "バージョン番号を削除する必要無しです。\nバージョン番号を削除してもよろしいですか？？？"),
        BoxAnswer::Yes);
    if (answer == BoxAnswer::Yes) {
        store_.writeText(QStringLiteral("Version"), QString());
        return;
    }
    MKBoxDlg1_->TMMsgBox(QStringLiteral("バージョン番号削除を中止しました・・・"), BoxAnswer::Ok);
}

void MainWindow::HELP2Click() {
    AboutWindow about(identity_, storedVersionText(), this);
    about.exec();
}

void MainWindow::MQ_AClick() {
    MKBoxDlg1_->MsgBox(QStringLiteral("問い合わせ先：\nTAVIK SOFT32\n\n"
                                      "ご意見・ご質問は、このソフトの配布元までお寄せ下さい☆☆☆"));
}

QString MainWindow::helpPage() const {
    // Installed beside the program's share folder; in a build tree, next to the sources.
    const QString dir = QCoreApplication::applicationDirPath();
    const QStringList candidates{dir + QStringLiteral("/../share/sondex/SONDEX.html"),
                                 dir + QStringLiteral("/SONDEX.html")};
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate)) return QFileInfo(candidate).canonicalFilePath();
    }
    return QString();
}

void MainWindow::HELP_MOKUJIClick() {
    const QString page = helpPage();
    if (page.isEmpty() || !desktop_.openFile(page))
        MKBoxDlg1_->TMMsgBox(QStringLiteral("ヘルプファイルが見つかりません・・・"), BoxAnswer::Ok);
}

void MainWindow::HELP_KEYWORDClick() {
    const QString page = helpPage();
    QUrl url = QUrl::fromLocalFile(page);
    url.setFragment(QStringLiteral("keywords"));
    if (page.isEmpty() || !desktop_.openUrl(url))
        MKBoxDlg1_->TMMsgBox(QStringLiteral("ヘルプファイルが見つかりません・・・"), BoxAnswer::Ok);
}

}  // namespace sondex
