// The time-of-day timer's lists: the commands of `Panel_JK` and its pop-up
// menus, what the panel shows, and the lists' part of the start-up and close.
#include "app/MainWindow.h"

#include "core/Settings.h"
#include "recording/FormatCommands.h"
#include "recording/ManualPanel.h"
#include "timer/TimeOfDayTimer.h"
#include "timer/TimerLists.h"
#include "timer/TimerPanel.h"
#include "ui/controls/ClickWatch.h"
#include "ui/controls/SpinButton.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include <functional>

namespace sondex {

namespace {

// Tells which time label a mouse press was on, before its pop-up menu opens.
class PressWatch : public QObject {
public:
    PressWatch(std::function<void(QObject*)> pressed, QObject* parent)
        : QObject(parent), pressed_(std::move(pressed)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) pressed_(watched);
        return false;
    }

private:
    std::function<void(QObject*)> pressed_;
};

QList<int> selectedRows(const QListWidget& list) {
    QList<int> rows;
    for (const QListWidgetItem* item : list.selectedItems()) rows.append(list.row(item));
    return rows;
}

}  // namespace

void MainWindow::buildTimerLists() {
    TimerLists::Hooks hooks;
    hooks.ask = [this](const QString& question) {
        return MKBoxDlg1_->TMMsgBoxYN(question, BoxAnswer::No) == BoxAnswer::Yes;
    };
    hooks.notice = [this](const QString& text) { MKBoxDlg1_->TMMsgBox(text, BoxAnswer::Ok); };
    timerLists_ = new TimerLists(identity_.ProgramFolder, std::move(hooks), this);
    connect(timerLists_, &TimerLists::changed, this, [this] { timer_->present(*timerLists_); });
    bindTimerListCommands();
    bindTimerEditorCommands();
    // The timer's marks elsewhere in the window lead to its panel (their right button opens the manual timer's menu).
    for (QWidget* mark : {static_cast<QWidget*>(manual_->Label_TM_ONOFF), static_cast<QWidget*>(manual_->Label_JK_TM),
                          static_cast<QWidget*>(PSTBar1_.timerMark)})
        if (mark) ClickWatch::onClick(mark, [this] { showTimerPanel(); });
}

void MainWindow::bindTimerListCommands() {
    TimerPanel& p = *timer_;
    TimerLists* lists = timerLists_;
    connect(p.Button_JK_TMSET, &QPushButton::clicked, this, [this] {
        // A running timer starts again, so that the new entry is taken in.
        if (timerLists_->registerEntry(format_->shownCode()) && timerRunning())
            timerRun_->Button_JK_STARTClick();
    });
    const auto syncSelection = [this] {
        timerLists_->setSelection(selectedRows(*timer_->ListBox_JK), timer_->ListBox_JK->currentRow());
    };
    connect(p.ListBox_JK, &QListWidget::itemSelectionChanged, this, syncSelection);
    connect(p.ListBox_JK, &QListWidget::currentRowChanged, this, syncSelection);
    connect(p.ListBox_JK, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (const auto format = timerLists_->clickLine(timer_->ListBox_JK->row(item)))
            format_->showCode(*format);
    });
    connect(menus_.timer.PJK_CLR, &QAction::triggered, lists, &TimerLists::deleteSelected);
    connect(menus_.timer.PJK_CLR_ALL, &QAction::triggered, lists, &TimerLists::deleteAll);
    connect(p.ComboBox_TM_Mode, &QComboBox::activated, lists, &TimerLists::changeMode);
    connect(p.ComboBox_TM_SUB, &QComboBox::activated, lists, &TimerLists::changeSubList);

    connect(p.Btn_DAY_HENSHU, &QPushButton::clicked, lists, &TimerLists::openGroupEditor);
    connect(p.Btn_DAY_CANCEL, &QPushButton::clicked, lists, &TimerLists::closeGroupEditor);
    connect(p.Btn_DAY_NEW, &QPushButton::clicked, lists, &TimerLists::newGroup);
    connect(p.Btn_DAY_DEL, &QPushButton::clicked, lists, &TimerLists::deleteGroup);
    connect(p.Btn_DAY_HENKO, &QPushButton::clicked, this, [this] { timerLists_->renameGroup(timer_->Edit_DAY->text()); });
    connect(p.Edit_DAY, &QLineEdit::textEdited, lists, &TimerLists::setGroupEditText);
}

void MainWindow::bindTimerEditorCommands() {
    TimerPanel& p = *timer_;
    TimerLists* lists = timerLists_;
    using Side = TimerLists::Side;
    const std::tuple<SpinButton*, Side, bool> spins[] = {{p.SpinButton_JK_SH, Side::Start, true},
                                                         {p.SpinButton_JK_SM, Side::Start, false},
                                                         {p.SpinButton_JK_EH, Side::End, true},
                                                         {p.SpinButton_JK_EM, Side::End, false}};
    for (const auto& [spin, side, hours] : spins) {
        const auto step = hours ? &TimerLists::stepHour : &TimerLists::stepMinute;
        connect(spin, &SpinButton::upClick, lists, [lists, step, side] { (lists->*step)(side, 1); });
        connect(spin, &SpinButton::downClick, lists, [lists, step, side] { (lists->*step)(side, -1); });
    }
    connect(p.Button_JK_ST, &QPushButton::clicked, lists, &TimerLists::startNow);
    connect(p.Button_JK_MSET, &QPushButton::clicked, lists, &TimerLists::copyStartToEnd);
    connect(p.RadioGroup_JK, &QButtonGroup::idClicked, lists, &TimerLists::setActionIndex);

    // The pop-ups write into the label that was pressed: the start's, or else the end's.
    auto* watch = new PressWatch([this](QObject* label) { pressedTimeLabel_ = label; }, this);
    for (QLabel* label : {p.Label_JK_SH, p.Label_JK_SM, p.Label_JK_EH, p.Label_JK_EM}) label->installEventFilter(watch);
    const auto pressedSide = [this] {
        const bool start = pressedTimeLabel_ == timer_->Label_JK_SH || pressedTimeLabel_ == timer_->Label_JK_SM;
        return start ? Side::Start : Side::End;
    };
    for (QAction* pick : menus_.timer.PopupMenu_JK_H->actions()) {
        connect(pick, &QAction::triggered, lists,
                [lists, pick, pressedSide] { lists->pickHour(pressedSide(), pick->data().toInt()); });
    }
    for (QAction* pick : menus_.timer.PopupMenu_JK_M->actions()) {
        connect(pick, &QAction::triggered, lists,
                [lists, pick, pressedSide] { lists->pickMinute(pressedSide(), pick->data().toInt()); });
    }
}

void MainWindow::loadTimerLists() { timerLists_->startUp(settings_, identity_.ProductKey); }

void MainWindow::storeTimerLists() { timerLists_->storeForExit(settings_, timerRunStateAtClose_); }

}  // namespace sondex
