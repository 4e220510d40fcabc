// Command-line switches, forwarded lines and the automatic start.
#include "app/MainWindow.h"

#include "ui/Commands.h"
#include "core/Logging.h"
#include "core/Settings.h"
#include "core/Switches.h"
#include "cd/CdControlPanel.h"
#include "music/MusicPanel.h"
#include "recording/ManualPanel.h"
#include "core/RecordingController.h"
#include "recording/ManualRecording.h"
#include "timer/TimeOfDayTimer.h"
#include "ui/tray/TTaskTray.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>

namespace sondex {

void MainWindow::applySwitches(const SwitchRequest& request, SwitchSource source) {
    const bool forwarded = source == SwitchSource::Forwarded;
    if (request.C) {
        // Forwarded, the command is switched off first, so it always ends armed.
        if (forwarded) menus_.main.MF_AUTO_OFF->setChecked(false);
        menus_.main.MF_AUTO_OFF->trigger();
    }
    if (request.W) {
        if (forwarded) menus_.main.MF_AUTO_OFF_WIN->setChecked(false);
        menus_.main.MF_AUTO_OFF_WIN->trigger();
    }
    if (request.NE >= 0) menus_.main.MO_SHUDOREC_TM_END->setChecked(request.NE == 1);
    if (forwarded && request.T) goToTray();
    for (RecordingController* controller : controllers_) controller->applySwitches(request, source);
}

bool MainWindow::openManualPanel() {
    if (runActive(RecordingKind::Cd)) return false;
    K1Click();
    if (runActive(RecordingKind::Music)) return false;
    Button23Click();
    return true;
}

void MainWindow::applyStartupSwitches() {
    startupRequest_ = parseSwitches(arguments_, SwitchSource::StartUp);
    applySwitches(startupRequest_, SwitchSource::StartUp);
}

void MainWindow::runAutomaticStart() {
    // The automatic start asks the kinds in its own order: manual, CD, music.
    for (const RecordingKind kind : {RecordingKind::Manual, RecordingKind::Cd, RecordingKind::Music}) {
        for (RecordingController* controller : controllers_) {
            if (controller->kind() == kind && controller->runAutomaticStart(startupRequest_)) return;
        }
    }
    // Otherwise the panels open as they were left,
    if (settings_.number(Setting::MIDI_DISP) != 0 && !runActive(RecordingKind::Cd)) {
        K1Click();
        if (settings_.number(Setting::Shudo_DISP) != 0 && !runActive(RecordingKind::Music)) Button23Click();
    }
    // the time-of-day timer runs on when it ran at the last exit,
    timerRun_->runAutomaticStart(startupRequest_);
    if (closing()) return;
    // and the clock can be checked before it is relied on.
    if (settings_.isOn(Setting::SetNowTime_Select)) showClockDialog();
    if (closing()) return;
    // Last, how long the free space lasts, when that is wanted.
    showAutomaticSizeReport();
}

void MainWindow::onForwardedLine(const QString& line) {
    qCInfo(lcForward).noquote() << "forwarded line:" << line;
    // Every forwarded line, even an empty one, brings the window to the front.
    if (TaskTray1_->Registered()) TRIconOFFClick();
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
