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
#include "music/MusicPanel.h"
#include "platform/AppPaths.h"
#include "platform/JapaneseCalendar.h"
#include "platform/DesktopServices.h"
#include "platform/SettingsStore.h"
#include "recording/ManualPanel.h"
#include "recording/ManualRecording.h"
#include "core/RecordingLog.h"
#include "timer/TimerPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDate>
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
    const char* name;
    Setting setting;
};

// The option commands that ask for their value with the number dialog.
constexpr NumberCommand kNumberCommands[] = {
    {MenuNumberCommand::TMBuf, "TMBuf", Setting::BufCount},
    {MenuNumberCommand::MSHUDO, "MSHUDO", Setting::SHUDO},
    {MenuNumberCommand::MO_NR_WAIT, "MO_NR_WAIT", Setting::NR_WAIT},
    {MenuNumberCommand::MINTORO, "MINTORO", Setting::INTORO},
    {MenuNumberCommand::MO_CD_TRACK_PLUS, "MO_CD_TRACK_PLUS", Setting::Track_END_PLUS},
};

QMenu* menuNamed(QWidget& owner, const char* name) {
    return owner.findChild<QMenu*>(QString::fromLatin1(name));
}

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

    connect(&s, &Settings::changed, this, [this](Setting changed) {
        if (changed == Setting::BackColor) applyListColours();
        if (changed == Setting::INTORO || changed == Setting::Track_END_PLUS) applyTimeLabelColours();
    });

    c.onTriggered("X1", [this] { requestClose(); });
    c.onTriggered("MTempSet", [this] { MTempSetClick(); });
    c.onTriggered("MF_AUTO_OFF", [this] { MF_AUTO_OFFClick(); });
    c.onTriggered("MF_AUTO_OFF_WIN", [this] { MF_AUTO_OFF_WINClick(); });
    c.onTriggered("P2", [this] { requestClose(); });
    c.onTriggered("K1", [this] { K1Click(); });
    c.onTriggered("MO_JK", [this] { MO_JKClick(); });
    c.onTriggered("PR_JK", [this] { MO_JKClick(); });
    c.onTriggered("MHELP_VERCUT", [this] { MHELP_VERCUTClick(); });
    c.onTriggered("HELP2", [this] { HELP2Click(); });
    c.onTriggered("MQ_A", [this] { MQ_AClick(); });
    c.onTriggered("HELP_MOKUJI", [this] { HELP_MOKUJIClick(); });
    c.onTriggered("HELP_KEYWORD", [this] { HELP_KEYWORDClick(); });
    c.onTriggered("P5", [this] { HELP_MOKUJIClick(); });

    connect(cd_->Button7, &QPushButton::clicked, this, &MainWindow::Button7Click);
    connect(Button23_, &QPushButton::clicked, this, &MainWindow::Button23Click);
    connect(findChild<QPushButton*>(QStringLiteral("Button30")), &QPushButton::clicked, this,
            &MainWindow::Button30Click);
    connect(manual_->Button22, &QPushButton::clicked, this, &MainWindow::Button22Click);
    connect(findChild<QPushButton*>(QStringLiteral("Button_JK_CLOSE")), &QPushButton::clicked, timer_,
            &QWidget::hide);

    connect(menuNamed(*this, "MStart0"), &QMenu::aboutToShow, this, &MainWindow::onStartMenuOpening);
    connect(menuNamed(*this, "MOption0"), &QMenu::aboutToShow, this, &MainWindow::onOptionsMenuOpening);
    connect(PopupMenu1_, &QMenu::aboutToShow, this, &MainWindow::onTrayMenuOpening);

    popups_->attach(cd_->Button35, menuNamed(*this, "PopupMenu_VOL"));
    popups_->attach(cdList_->ListBox2, menuNamed(*this, "PopupMenuLB"));
    for (const char* name : {"Button8", "Button9"})
        popups_->attach(findChild<QWidget*>(QString::fromLatin1(name)), menuNamed(*this, "PopupMenu_CD"));
    popups_->attach(music_->ListBox3, menuNamed(*this, "PopupMenuMIDI"));
    popups_->attach(music_->ListBoxFNF, menuNamed(*this, "PopupMenuMIDI"));
    popups_->attach(manual_->Label_Rate, menuNamed(*this, "PopupMenu_Rate"), Qt::LeftButton | Qt::RightButton);
    for (const char* name : {"Label_TM_ONOFF", "Label15", "Label9", "Label_JK_TM"})
        popups_->attach(findChild<QWidget*>(QString::fromLatin1(name)), menuNamed(*this, "PopupMenu_TM"));
    popups_->attach(timer_->ListBox_JK, menuNamed(*this, "PopupMenu_JK"));
    for (const char* name : {"Label_JK_SH", "Label_JK_EH"})
        popups_->attach(findChild<QWidget*>(QString::fromLatin1(name)), menuNamed(*this, "PopupMenu_JK_H"),
                        Qt::AllButtons);
    for (const char* name : {"Label_JK_SM", "Label_JK_EM"})
        popups_->attach(findChild<QWidget*>(QString::fromLatin1(name)), menuNamed(*this, "PopupMenu_JK_M"),
                        Qt::AllButtons);
}

void MainWindow::bindNumberCommands() {
    for (const NumberCommand& number : kNumberCommands) {
        commands_->onTriggered(number.name, [this, number] {
            const auto choice = askMenuNumber(*TmSETBoxDlg1_, number.command, settings_.number(number.setting));
            if (!choice) return;
            if (number.command == MenuNumberCommand::MSHUDO) {
                manualRec_->ShowManualTimer(choice->value);
                return;
            }
            settings_.setNumber(number.setting, choice->value);
            if (!choice->caption.isEmpty()) (*commands_)[number.name]->setText(choice->caption);
        });
    }
    commands_->onTriggered("PR_SHUDO", [this] { (*commands_)["MSHUDO"]->trigger(); });
}

void MainWindow::writeNumberCaptions() {
    for (const NumberCommand& number : kNumberCommands) {
        const QString caption = menuNumberCaption(number.command, settings_.number(number.setting));
        if (!caption.isEmpty()) (*commands_)[number.name]->setText(caption);
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
    (*commands_)["TRSAVE"]->setEnabled(false);
    Panel2_->show();
    if (isCompact()) Button7Click();
}

void MainWindow::Button30Click() {
    Panel2_->hide();
    cd_->CheckBox1->setEnabled(true);
    (*commands_)["TRSAVE"]->setEnabled(true);
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
    timer_->show();
    timer_->raise();
    if (manual_->isVisibleTo(this)) manual_->raise();
}

void MainWindow::onStartMenuOpening() {
    const LogMenuState state = log_->menuState();
    (*commands_)["MS_REC_TXT"]->setEnabled(state.previous);
    (*commands_)["MKIROKU"]->setEnabled(state.show);
    (*commands_)["MKIROKUCLR"]->setEnabled(state.clear);
}

void MainWindow::onOptionsMenuOpening() {
    // Only the command that makes sense is offered: register when the shortcut is missing.
    const QString entry = identity_.AppTitle + QStringLiteral(".desktop");
    const bool atStartup = QFileInfo::exists(paths::autostartFolder() + entry);
    const bool onDesktop = QFileInfo::exists(paths::desktopFolder() + entry);
    (*commands_)["MICON_SET"]->setVisible(!atStartup);
    (*commands_)["MICON_DEL"]->setVisible(atStartup);
    (*commands_)["MDESK_SET"]->setVisible(!onDesktop);
    (*commands_)["MDESK_DEL"]->setVisible(onDesktop);
}

QString MainWindow::storedVersionText() const {
    return versionText(storedVersion(store_.readText(QStringLiteral("Version"))));
}

void MainWindow::onTrayMenuOpening() {
    (*commands_)["P5"]->setText(QStringLiteral("使い方　") + identity_.ProductKey + QStringLiteral(".EXE V") +
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
