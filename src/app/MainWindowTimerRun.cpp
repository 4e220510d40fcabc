// The time-of-day timer's runner in the window: what it asks of manual
// recording, the format and the end-of-recording options, and its labels.
#include "app/MainWindow.h"

#include "app/WindowPrompts.h"
#include "core/Settings.h"
#include "platform/SleepInhibitor.h"
#include "recording/ManualPanel.h"
#include "recording/ManualRecording.h"
#include "timer/TimeOfDayTimer.h"
#include "timer/TimerLists.h"
#include "timer/TimerPanel.h"
#include "ui/Commands.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace sondex {

void MainWindow::buildTimerRun(SleepInhibitor& sleep, std::function<QDateTime()> timeOfDay) {
    const MainMenuCommands& m = menus_.main;
    TimeOfDayTimer::Hooks h;
    h.cdBlocks = [this] { return runActive(RecordingKind::Cd); };
    h.musicBlocks = [this] { return runActive(RecordingKind::Music); };
    h.switchPanels = [this] { K1Click(); };
    h.openManualPanel = [this] { Button23Click(); };
    h.applyFormat = [m](int rateIndex, bool stereo, bool sixteenBits) {
        QAction* const rates[] = {m.MLate0, m.MLate1, m.MLate2, m.MLate3, m.MLate4,
                                  m.MLate5, m.MLate6, m.MLate7, m.MLate8};
        if (rateIndex >= 0 && rateIndex < 9) rates[rateIndex]->trigger();
        (sixteenBits ? m.MBits16 : m.MBits8)->trigger();
        (stereo ? m.MStereo : m.MMono)->trigger();
    };
    h.applyEndAction = [this](QChar action) { applyTimerEndAction(action); };
    h.setForcedEndSeconds = [this](int seconds) { manualRec_->ShowManualTimer(seconds); };
    h.manualPrepared = [this] { return manualRec_->state() != ManualRecording::State::Idle; };
    h.manualPaused = [this] { return manualRec_->isPaused(); };
    h.prepareManual = [this] { return manualRec_->PrepareManualRecording(); };
    h.startManual = [this] { manualRec_->Button18Click(); };
    h.resumeManual = [this] { manualRec_->Button19Click(); };
    h.notice = [this](const QString& text) { prompts_->notice(text); };
    h.busyCursor = [this](bool busy) { prompts_->busyCursor(busy); };
    h.processEvents = [] { QCoreApplication::processEvents(); };
    h.closing = [this] { return closing(); };
    timerRun_ = new TimeOfDayTimer(*timerLists_, settings_, sleep, std::move(h), std::move(timeOfDay), this);
    controllers_.append(timerRun_);
    connect(timerRun_, &TimeOfDayTimer::changed, this, &MainWindow::presentTimerRun);
    connect(timer_->Button_JK_START, &QPushButton::clicked, timerRun_, &TimeOfDayTimer::Button_JK_STARTClick);
    connect(timer_->Button_JK_STOP, &QPushButton::clicked, timerRun_, &TimeOfDayTimer::Button_JK_STOPClick);
}

bool MainWindow::timerRunning() const { return timerRun_ && timerRun_->isRunning(); }

void MainWindow::applyTimerEndAction(QChar action) {
    const MainMenuCommands& m = menus_.main;
    // Each option is set by flipping it the other way and running its command,
    // so that the command's own side effects (colours, the exit armed with the
    // power-off) follow. A greyed-out option is set all the same: "タイマー終了時、
    // 停止する" is greyed out until the forced end is set just after this, and
    // left unset the first take of a run would pause instead of being saved.
    const auto set = [](QAction* option, bool on) {
        const bool enabled = option->isEnabled();
        option->setEnabled(true);
        option->setChecked(!on);
        option->trigger();
        option->setEnabled(enabled);
    };
    switch (action.unicode()) {
    case u'C':
        set(m.MF_AUTO_OFF, true);
        break;
    case u'E':
        set(m.MF_AUTO_OFF_WIN, false);
        set(m.MF_AUTO_OFF, false);
        set(m.MO_SHUDOREC_TM_END, true);
        break;
    case u'W':
        set(m.MF_AUTO_OFF_WIN, true);
        set(m.MF_AUTO_OFF, true);
        break;
    default:
        set(m.MF_AUTO_OFF_WIN, false);
        set(m.MF_AUTO_OFF, false);
        set(m.MO_SHUDOREC_TM_END, false);
        break;
    }
}

void MainWindow::presentTimerRun() {
    const TimeOfDayTimer::View& v = timerRun_->view();
    timer_->Label_JK_MODE->setText(v.runText);
    timer_->Panel_TM_Mode->setVisible(v.panelShown);
    if (v.panelShown) timer_->Panel_TM_Mode->raise();
    timer_->Label_TM_Mode->setText(v.modeCaption);
    timer_->Label_TM_SUB->setText(v.subListCaption);
    timer_->Label_Mode_TM->setText(v.formatText);
    timer_->Label_YoBI_2->setText(v.dayName);
    if (!v.weekdayLabel.isEmpty()) manual_->Label_YoBI->setText(v.weekdayLabel);
    manual_->Label_JK_TM->setText(v.entryText);
    timer_->Button_JK_START->setVisible(v.startShown);
    timer_->Button_JK_START->setEnabled(v.startEnabled);
    timer_->Button_JK_STOP->setVisible(!v.startShown);
    timer_->Button_JK_STOP->setEnabled(v.stopEnabled);
    const QColor shade = v.shade == TimeOfDayTimer::Shade::Recording ? QColor(255, 0, 0) : QColor(0, 0, 255);
    for (QLabel* label : {timer_->Label_Mode_TM, manual_->Label_JK_TM, PSTBar1_.timerMark}) {
        if (!label) continue;
        label->setVisible(v.labelsShown);
        label->setAutoFillBackground(v.shade != TimeOfDayTimer::Shade::None);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, shade);
        palette.setColor(QPalette::WindowText, Qt::white);  // readable on red and on blue
        label->setPalette(palette);
    }
}

}  // namespace sondex
