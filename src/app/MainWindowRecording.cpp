// The recordings the window runs: format, the shared recording session, the
// manual recording and the recording log.
#include "app/MainWindow.h"

#include "ui/Commands.h"
#include "core/Settings.h"
#include "app/WindowPrompts.h"
#include "ui/dialogs/TMKBoxDlg.h"
#include "cd/CdControlPanel.h"
#include "music/MusicPanel.h"
#include "platform/DesktopServices.h"
#include "recording/FormatCommands.h"
#include "core/LogLines.h"
#include "recording/ManualPanel.h"
#include "recording/ManualRecording.h"
#include "core/MciChannel.h"
#include "music/MusicRecording.h"
#include "core/RecordingLog.h"
#include "core/RecordingSession.h"
#include "core/WavInspector.h"
#include "timer/TimeOfDayTimer.h"
#include "timer/TimerPanel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>

namespace sondex {

void MainWindow::buildRecording() {
    const MainMenuCommands& m = menus_.main;
    const TrayMenuCommands& t = menus_.tray;
    FormatCommandHandles handles;
    handles.choices = {m.MLate0, m.MLate1, m.MLate2, m.MLate3, m.MLate4, m.MLate5, m.MLate6, m.MLate7, m.MLate8,
                       t.Late0,  t.Late1,  t.Late2,  t.Late3,  t.Late4,  t.Late5,  t.Late6,  t.Late7,  t.Late8,
                       m.MBits8, m.MBits16, t.Bits8, t.Bits16, m.MMono,  m.MStereo, t.mono,  t.stereo};
    handles.cdMusic = {m.MR_CD_MUSIC, menus_.recording.PR_CD};
    handles.radio = {m.MR_RADIO, menus_.recording.PR_RADIO};
    handles.telephone = {m.MR_TEL, menus_.recording.PR_TEL};
    handles.MRECTEST = m.MRECTEST;
    handles.MRECTFILE = m.MRECTFILE;
    format_ = new FormatCommands(handles, settings_, *PSTBar1_.frame,
                                 *manual_->Label_Rate, this);
    format_->setOnTestModeChanged([this] {
        const QColor colour = format_->indicatorColour();
        for (QCheckBox* box : {cd_->CheckBox1, music_->MIDSAVE}) {
            if (!box->isChecked()) continue;
            QPalette p = box->palette();
            p.setColor(QPalette::Window, colour);
            box->setPalette(p);
        }
        presentManualRecording();
    });

    prompts_ = std::make_unique<WindowPrompts>(*MKBoxDlg1_, *this);
    log_ = std::make_unique<RecordingLog>(identity_.ProgramFolder, desktop_);
    RecordingHooks hooks;
    hooks.testMode = [this] { return format_->testMode(); };
    hooks.exitAfterRecordingArmed = [this] { return menus_.main.MF_AUTO_OFF->isChecked(); };
    hooks.timeOfDayTimerRunning = [this] { return timerRunning(); };
    hooks.onSaved = [this](RecordingKind kind, const QString& path, int recordedMs) {
        logRecording(kind, path, recordedMs);
    };
    hooks.onManualSaved = [this] { manualRec_->onSaved(); };
    session_ = std::make_unique<RecordingSession>(channel_, settings_, flags_, *prompts_, identity_.ProgramFolder,
                                                  std::move(hooks));

    ManualRecording::Hooks manualHooks;
    manualHooks.showLog = [this] { MKIROKUClick(LogSender::RecordingEnd); };
    manualHooks.timerRunning = [this] { return timerRunning(); };
    manualHooks.timerStart = [this] { timerRun_->Button_JK_STARTClick(); };
    manualHooks.timerStop = [this] { timerRun_->Button_JK_STOPClick(); };
    manualHooks.exitArmed = [this] { return menus_.main.MF_AUTO_OFF->isChecked(); };
    manualHooks.openPanel = [this] { return openManualPanel(); };
    manualRec_ = new ManualRecording(channel_, *session_, settings_, *prompts_, flags_, std::move(manualHooks), this);
    connect(manualRec_, &ManualRecording::changed, this, &MainWindow::presentManualRecording);
    connect(manual_->Button1, &QPushButton::clicked, manualRec_, [this] { manualRec_->PrepareManualRecording(); });
    connect(manual_->Button18, &QPushButton::clicked, manualRec_, &ManualRecording::Button18Click);
    connect(manual_->Button19, &QPushButton::clicked, manualRec_, &ManualRecording::Button19Click);
    connect(manual_->Button20, &QPushButton::clicked, manualRec_, &ManualRecording::Button20Click);
    connect(manual_->Button21, &QPushButton::clicked, manualRec_, &ManualRecording::Button21Click);

    buildMusicList();
    controllers_ = {manualRec_, musicRec_};  // the CD sequencer joins them
    connect(menus_.main.MO_TM_OFF, &QAction::triggered, this, [this] { manualRec_->ShowManualTimer(0); });
    connect(menus_.recording.PR_TM_OFF, &QAction::triggered, this, [this] { manualRec_->ShowManualTimer(0); });

    connect(menus_.main.MKIROKU, &QAction::triggered, this, [this] { MKIROKUClick(LogSender::Menu); });
    connect(menus_.main.MKIROKUCLR, &QAction::triggered, this, [this] { MKIROKUCLRClick(); });
    connect(menus_.main.MS_REC_TXT, &QAction::triggered, this, [this] { MS_REC_TXTClick(); });
}

bool MainWindow::runActive(RecordingKind kind) const {
    for (const RecordingController* controller : controllers_) {
        if (controller->kind() == kind) return controller->isRunActive();
    }
    return false;
}

void MainWindow::presentManualRecording() {
    manual_->present(*manualRec_, format_->indicatorColour());
    const int seconds = manualRec_->timerSeconds();
    const QString caption = seconds != 0 ? QStringLiteral("手動録音タイマー %1秒").arg(seconds)
                                         : QStringLiteral("手動録音タイマー ＯＦＦ");
    for (QAction* timer : {menus_.main.MSHUDO, menus_.recording.PR_SHUDO}) timer->setText(caption);
    for (QAction* onlyWithTimer :
         {menus_.main.MO_SHUDOREC_TM_END, menus_.recording.PR_SHUDOREC_TM_END, menus_.recording.PR_TM_OFF})
        onlyWithTimer->setEnabled(seconds != 0);
}

void MainWindow::logRecording(RecordingKind kind, const QString& path, int recordedMs) {
    const WavSummary wav = InspectWav(path, [] { QCoreApplication::processEvents(); });
    const loglines::Saved saved{path, recordedMs};
    const QDateTime now = QDateTime::currentDateTime();
    const PlayedMaterial& played = session_->played();
    switch (kind) {
    case RecordingKind::Manual:
        log_->AddLogLine(loglines::manualLine(wav, saved, now));
        break;
    case RecordingKind::Music:
        log_->AddLogLine(loglines::musicLine(wav, saved, played.musicEndSeconds, played.musicFile, now));
        break;
    case RecordingKind::Cd:
        log_->AddLogLine(loglines::cdLine(
            wav, saved,
            {played.driveLabel, played.firstLastLabel, played.trackLabel, played.trackTimeLabel, played.trackName,
             played.discTitle, played.artist, played.discIdentity, played.volumeLabel}));
        break;
    case RecordingKind::Timer:  // its takes are manual recordings
        break;
    }
}

void MainWindow::MKIROKUClick(LogSender sender) {
    const LogDisplayOptions options{menus_.main.MF_AUTO_OFF->isChecked(),
                                    menus_.main.MF_AUTO_OFF_WIN->isChecked(), settings_.isOn(Setting::No_Memo)};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const RecordingLog::Shown shown = log_->show(sender, options, QDateTime::currentDateTime());
    QApplication::restoreOverrideCursor();
    // After an automatic display the program may be set to close now.
    if (shown.any && sender == LogSender::RecordingEnd) CloseAfterRecording();
}

void MainWindow::MKIROKUCLRClick() {
    if (MKBoxDlg1_->TMMsgBoxYN(QString::fromUtf8(logtext::kClearQuestion), BoxAnswer::No) == BoxAnswer::Yes) {
        MKIROKUClick(LogSender::ClearCommand);
        log_->clear();
        return;
    }
    MKBoxDlg1_->TMMsgBox(QString::fromUtf8(logtext::kClearCancelled), BoxAnswer::Ok);
}

void MainWindow::MS_REC_TXTClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened = log_->openPrevious();
    QApplication::restoreOverrideCursor();
    if (!opened) MKBoxDlg1_->TMMsgBox(QString::fromUtf8(logtext::kPreviousFailed), BoxAnswer::Ok);
}

}  // namespace sondex
