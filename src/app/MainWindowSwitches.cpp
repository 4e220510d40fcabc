// Command-line switches, forwarded lines and the automatic start.
#include "app/MainWindow.h"

#include "app/Commands.h"
#include "app/Logging.h"
#include "app/Settings.h"
#include "app/Switches.h"
#include "cd/CdControlPanel.h"
#include "music/MusicPanel.h"
#include "recording/ManualPanel.h"
#include "recording/ManualRecording.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>

namespace sondex {

void MainWindow::applySwitches(const SwitchRequest& request, SwitchSource source) {
    Commands& c = *commands_;
    const bool forwarded = source == SwitchSource::Forwarded;
    if (request.C) {
        // Forwarded, the command is switched off first, so it always ends armed.
        if (forwarded) c["MF_AUTO_OFF"]->setChecked(false);
        c["MF_AUTO_OFF"]->trigger();
    }
    if (request.W) {
        if (forwarded) c["MF_AUTO_OFF_WIN"]->setChecked(false);
        c["MF_AUTO_OFF_WIN"]->trigger();
    }
    if (request.NE >= 0) c["MO_SHUDOREC_TM_END"]->setChecked(request.NE == 1);
    // CD track files and music files are taken over with CD and music support.
    if (forwarded && request.T) goToTray();
    if (request.J >= 0) manualRec_->ShowManualTimer(request.J);
    if (forwarded && request.RS) startOrResumeManualRecording();
}

bool MainWindow::openManualPanel() {
    if (cd_->CheckBox1->isChecked() || cdRunActive_) return false;
    K1Click();
    if (music_->MIDSAVE->isChecked() || musicRunActive_) return false;
    Button23Click();
    return true;
}

void MainWindow::startOrResumeManualRecording() {
    if (!openManualPanel()) return;
    if (manual_->Button1->isEnabled()) {
        if (manualRec_->PrepareManualRecording()) {
            QCoreApplication::processEvents();
            manualRec_->Button18Click();
        }
    } else if (manual_->Panel3->isVisible()) {
        manualRec_->Button19Click();
    } else {
        manualRec_->Button18Click();
    }
}

void MainWindow::applyStartupSwitches() {
    startupRequest_ = parseSwitches(arguments_, SwitchSource::StartUp);
    applySwitches(startupRequest_, SwitchSource::StartUp);
}

void MainWindow::runAutomaticStart() {
    if (settings_.isOn(Setting::Start_REC) || startupRequest_.RS) {
        if (openManualPanel() && manualRec_->PrepareManualRecording()) {
            QCoreApplication::processEvents();
            manualRec_->Button18Click();
        }
        return;
    }
    // CD play, music play and the timer's restart start here with their subsystems.
    if (settings_.number(Setting::MIDI_DISP) != 0 && !cd_->CheckBox1->isChecked() && !cdRunActive_) {
        K1Click();
        if (settings_.number(Setting::Shudo_DISP) != 0 && !music_->MIDSAVE->isChecked() && !musicRunActive_)
            Button23Click();
    }
}

void MainWindow::onForwardedLine(const QString& line) {
    qCInfo(lcForward).noquote() << "forwarded line:" << line;
    // Every forwarded line, even an empty one, brings the window to the front.
    if (isMinimized()) {
        showNormal();
    } else {
        showMinimized();
        showNormal();
    }
    raise();
    activateWindow();
    if (line.isEmpty()) return;
    applySwitches(parseForwardedLine(line), SwitchSource::Forwarded);
}

}  // namespace sondex
