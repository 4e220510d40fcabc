// The recordings the window runs: format, the shared recording session, the
// manual recording and the recording log.
#include "app/MainWindow.h"

#include "app/Commands.h"
#include "app/Settings.h"
#include "app/WindowPrompts.h"
#include "app/dialogs/Mkdlg.h"
#include "cd/CdControlPanel.h"
#include "music/MusicPanel.h"
#include "platform/DesktopServices.h"
#include "recording/FormatCommands.h"
#include "recording/LogLines.h"
#include "recording/ManualPanel.h"
#include "recording/ManualRecording.h"
#include "recording/MciChannel.h"
#include "recording/RecordingLog.h"
#include "recording/RecordingSession.h"
#include "recording/WavInspector.h"
#include "timer/TimerPanel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>

namespace sondex {

void MainWindow::buildRecording() {
    format_ = new FormatCommands(*commands_, settings_, *findChild<QWidget*>(QStringLiteral("PSTBar1")),
                                 *manual_->Label_Rate, this);
    format_->setOnTestModeChanged([this] {
        const QColor colour = format_->indicatorColour();
        for (QCheckBox* box : {cd_->CheckBox1, music_->MIDSAVE}) {
            if (!box->isChecked()) continue;
            QPalette p = box->palette();
            p.setColor(QPalette::Window, colour);
            box->setPalette(p);
        }
        if (!manual_->Button1->isEnabled()) {
            QPalette p = manual_->Label9->palette();
            p.setColor(QPalette::Window, colour);
            manual_->Label9->setPalette(p);
        }
    });

    prompts_ = std::make_unique<WindowPrompts>(*MKBoxDlg1_, *this);
    log_ = std::make_unique<RecordingLog>(identity_.ProgramFolder, desktop_);
    RecordingHooks hooks;
    hooks.testMode = [this] { return format_->testMode(); };
    hooks.exitAfterRecordingArmed = [this] { return (*commands_)["MF_AUTO_OFF"]->isChecked(); };
    hooks.timeOfDayTimerRunning = [this] { return timerRunning(); };
    hooks.busyCursor = [](bool on) {
        if (on) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    };
    hooks.onSaved = [this](RecordingKind kind, const QString& path, int recordedMs) {
        logRecording(kind, path, recordedMs);
    };
    hooks.onManualSaved = [this] { manual_->Label11->setText(QStringLiteral("0")); };
    session_ = std::make_unique<RecordingSession>(channel_, settings_, flags_, *prompts_, identity_.ProgramFolder,
                                                  std::move(hooks));

    ManualRecording::Hooks manualHooks;
    manualHooks.showLog = [this] { MKIROKUClick(LogSender::RecordingEnd); };
    manualHooks.timerRunning = [this] { return timerRunning(); };
    manualHooks.timerStart = [] {};  // the time-of-day timer goes on here once it exists
    manualHooks.timerStop = [] {};
    manualHooks.exitArmed = [this] { return (*commands_)["MF_AUTO_OFF"]->isChecked(); };
    manualHooks.indicatorColour = [this] { return format_->indicatorColour(); };
    manualRec_ = new ManualRecording(*manual_, channel_, *session_, settings_, *commands_, *MKBoxDlg1_, flags_,
                                     std::move(manualHooks), this);
    commands_->onTriggered("MO_TM_OFF", [this] { manualRec_->ShowManualTimer(0); });
    commands_->onTriggered("PR_TM_OFF", [this] { manualRec_->ShowManualTimer(0); });

    commands_->onTriggered("MKIROKU", [this] { MKIROKUClick(LogSender::Menu); });
    commands_->onTriggered("MKIROKUCLR", [this] { MKIROKUCLRClick(); });
    commands_->onTriggered("MS_REC_TXT", [this] { MS_REC_TXTClick(); });
}

bool MainWindow::timerRunning() const { return timer_->Label_JK_MODE->text() == u"実行中"; }

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
    }
}

void MainWindow::MKIROKUClick(LogSender sender) {
    const LogDisplayOptions options{(*commands_)["MF_AUTO_OFF"]->isChecked(),
                                    (*commands_)["MF_AUTO_OFF_WIN"]->isChecked(), settings_.isOn(Setting::No_Memo)};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const RecordingLog::Shown shown = log_->show(sender, options, QDateTime::currentDateTime());
    QApplication::restoreOverrideCursor();
    // After an automatic display the program may be set to close now.
    if (shown.any && sender == LogSender::RecordingEnd) CloseAfterRecording();
}

void MainWindow::MKIROKUCLRClick() {
    if (MKBoxDlg1_->TMMsgBoxYN(QString::fromUtf8(logtext::kClearQuestion), 7) == 6) {
        MKIROKUClick(LogSender::ClearCommand);
        log_->clear();
        return;
    }
    MKBoxDlg1_->TMMsgBox(QString::fromUtf8(logtext::kClearCancelled), 1);
}

void MainWindow::MS_REC_TXTClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool opened = log_->openPrevious();
    QApplication::restoreOverrideCursor();
    if (!opened) MKBoxDlg1_->TMMsgBox(QString::fromUtf8(logtext::kPreviousFailed), 1);
}

}  // namespace sondex
