#include "recording/ManualPanel.h"

#include "platform/JapaneseCalendar.h"
#include "recording/ManualRecording.h"

#include "ui/controls/Placing.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QPushButton>

namespace sondex {

namespace {

void setColours(QLabel* label, const QColor& background, const QColor& text) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    label->setPalette(p);
}

}  // namespace

ManualPanel::ManualPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel6"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    using namespace build;
    Button1 = button(this, "Button1", "手動録音準備", {3, 3, 96, 24}, "録音の準備に数秒かかります");
    Button18 = button(this, "Button18", "録音開始", {101, 3, 100, 24});
    Button18->setEnabled(false);
    Panel3 = panel(this, "Panel3", {101, 3, 100, 24});
    Button19 = button(Panel3, "Button19", "再開", {0, 0, 52, 24});
    Button20 = button(Panel3, "Button20", "一時停止", {0, 0, 52, 24});
    Button21 = button(Panel3, "Button21", "停止", {54, 0, 46, 24});
    Panel3->hide();
    Button22 = button(this, "Button22", "閉じる", {203, 3, 53, 24});

    Label9 = label(this, "Label9", "録音時間", {3, 31, 60, 20});
    Label9->setAutoFillBackground(true);
    Label11 = label(this, "Label11", "0", {65, 31, 70, 20}, "手動録音時間");
    Label11->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label15 = label(this, "Label15", "0", {137, 31, 60, 20}, "手動録音強制終了時間（秒）");
    Label15->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label15->setAutoFillBackground(true);
    Label_Rate = label(this, "Label_Rate", "44S16", {201, 31, 55, 20}, "録音フォーマット");
    Label_Rate->setFrameShape(QFrame::Box);
    Label_Rate->setAlignment(Qt::AlignCenter);

    Label_YoBI = label(this, "Label_YoBI", "", {3, 54, 40, 20}, "今日の曜日");
    Label_TM_ONOFF = label(this, "Label_TM_ONOFF", "ﾀｲﾏｰ", {45, 54, 50, 20}, "右クリックで、タイマー設定");
    Label_JK_TM = label(this, "Label_JK_TM", "", {97, 54, 159, 20}, "時刻タイマー");
    Label_JK_TM->setAutoFillBackground(true);
    Label_JK_TM->hide();
    resize(259, 78);
}

void ManualPanel::present(const ManualRecording& recording, const QColor& indicator) {
    using State = ManualRecording::State;
    const State state = recording.state();
    Button1->setEnabled(state == State::Idle);
    Button18->setEnabled(state != State::Idle);
    Panel3->setVisible(state == State::Recording || state == State::Paused);
    Button20->setVisible(state != State::Paused);
    Label11->setText(QString::number(recording.shownSeconds()));

    const QPalette normal = QApplication::palette();
    const bool timerOn = recording.timerSeconds() != 0;
    Label15->setText(QString::number(timerOn ? recording.endMark() : 0));
    // Shown inverted while the timer runs, like the time labels, so it is not missed.
    setColours(Label15, timerOn ? normal.color(QPalette::WindowText) : palette().color(QPalette::Window),
               timerOn ? normal.color(QPalette::Window) : normal.color(QPalette::WindowText));
    Label9->setText(timerOn ? QStringLiteral("録音") : QStringLiteral("録音時間"));
    setColours(Label9, state == State::Idle ? palette().color(QPalette::Window) : indicator,
               Label9->palette().color(QPalette::WindowText));
    if (state == State::Prepared) Label_YoBI->setText(calendar::weekdayLabel(QDate::currentDate()));
}

}  // namespace sondex
