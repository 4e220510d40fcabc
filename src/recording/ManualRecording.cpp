#include "recording/ManualRecording.h"

#include "app/Commands.h"
#include "app/RecorderFlags.h"
#include "app/Settings.h"
#include "app/dialogs/Mkdlg.h"
#include "platform/JapaneseCalendar.h"
#include "recording/ManualPanel.h"
#include "recording/MciChannel.h"
#include "recording/RecordingSession.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace sondex {

namespace {

constexpr int kTickMs = 1000;
constexpr int kResumeAtOnceMs = 100;

QPushButton* buttonOf(ManualPanel& panel, const char* name) {
    return panel.findChild<QPushButton*>(QString::fromLatin1(name));
}

void setColours(QLabel* label, const QColor& background, const QColor& text) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    label->setPalette(p);
}

}  // namespace

ManualRecording::ManualRecording(ManualPanel& panel, MciChannel& channel, RecordingSession& session,
                                 Settings& settings, Commands& commands, TMKBoxDlg& messages,
                                 RecorderFlags& flags, Hooks hooks, QObject* parent)
    : QObject(parent),
      panel_(panel),
      channel_(channel),
      session_(session),
      settings_(settings),
      commands_(commands),
      messages_(messages),
      flags_(flags),
      hooks_(std::move(hooks)),
      timer4_(new QTimer(this)) {
    timer4_->setObjectName(QStringLiteral("Timer4"));
    timer4_->setInterval(kTickMs);
    connect(timer4_, &QTimer::timeout, this, &ManualRecording::Timer4Timer);
    connect(panel_.Button1, &QPushButton::clicked, this, [this] { PrepareManualRecording(); });
    connect(panel_.Button18, &QPushButton::clicked, this, &ManualRecording::Button18Click);
    connect(buttonOf(panel_, "Button20"), &QPushButton::clicked, this, &ManualRecording::Button20Click);
    connect(buttonOf(panel_, "Button19"), &QPushButton::clicked, this, &ManualRecording::Button19Click);
    connect(buttonOf(panel_, "Button21"), &QPushButton::clicked, this, &ManualRecording::Button21Click);
}

void ManualRecording::enableTick() {
    if (!channel_.isClosed()) timer4_->start();
}

void ManualRecording::readPosition() {
    if (channel_.SendRecWait(QStringLiteral("status tavikREC position")) == 0)
        elapsedMs_ = channel_.replyNumber(Alias::Rec);
    panel_.Label11->setText(QString::number(elapsedMs_ / 1000));
}

int ManualRecording::shownSeconds() const { return panel_.Label11->text().toInt(); }

bool ManualRecording::PrepareManualRecording() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    panel_.Label_YoBI->setText(calendar::weekdayLabel(QDate::currentDate()));
    endMark_ = settings_.number(Setting::SHUDO);
    panel_.Label15->setText(QString::number(endMark_));
    const bool prepared = session_.prepare(RecordingKind::Manual);
    if (prepared) {
        panel_.Button1->setEnabled(false);
        panel_.Button18->setEnabled(true);
        setColours(panel_.Label9, hooks_.indicatorColour(), panel_.Label9->palette().color(QPalette::WindowText));
        elapsedMs_ = 0;
        panel_.Label11->setText(QStringLiteral("0"));
    }
    QApplication::restoreOverrideCursor();
    return prepared;
}

void ManualRecording::Button18Click() {
    flags_.breakOff = false;
    paused_ = false;
    panel_.Panel3->show();
    buttonOf(panel_, "Button20")->show();
    request_ = None;
    if (channel_.SendRecNotify(QStringLiteral("record tavikREC")) == 0) {
        enableTick();
        return;
    }
    channel_.SendRecWait(QStringLiteral("stop tavikREC"));
    channel_.SendRecWait(QStringLiteral("close tavikREC"));
    if (messages_.ERMsgBox(QStringLiteral("録音エラー：\n 録音開始に失敗しました。"), 1) == 3) flags_.breakOff = true;
    session_.abandon(RecordingKind::Manual);
    hooks_.showLog();
    resetPanel();
}

void ManualRecording::Button20Click() {
    request_ = Pause;
    channel_.SendRecWait(QStringLiteral("stop tavikREC"));
}

void ManualRecording::Button19Click() {
    request_ = Resume;
    timer4_->setInterval(kResumeAtOnceMs);
}

void ManualRecording::Button21Click() {
    request_ = Stop;
    channel_.SendRecWait(QStringLiteral("stop tavikREC"));
}

void ManualRecording::Button22Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    request_ = Stop;
    channel_.SendRecWait(QStringLiteral("stop tavikREC"));
    QCoreApplication::processEvents();
    QApplication::restoreOverrideCursor();
}

void ManualRecording::Timer4Timer() {
    if (!paused_) {
        readPosition();
        const int timerSeconds = settings_.number(Setting::SHUDO);
        if (timerSeconds >= 1 && elapsedMs_ / 1000 >= endMark_) {
            timer4_->stop();
            channel_.SendRecWait(QStringLiteral("stop tavikREC"));  // the completion notice follows
        }
        return;
    }
    if (request_ == None) return;
    timer4_->stop();
    timer4_->setInterval(kTickMs);
    buttonOf(panel_, "Button20")->show();
    if (request_ == Resume) {
        request_ = None;
        channel_.SendRecNotify(QStringLiteral("record tavikREC"));
        paused_ = false;
        enableTick();
        return;
    }
    paused_ = false;
    // No notify-record is pending while paused, so the end path needs a notice of its own.
    if (!channel_.isClosed()) postNotice();
}

void ManualRecording::postNotice() {
    QMetaObject::invokeMethod(this, [this] { onNotice(4, 0); }, Qt::QueuedConnection);
}

void ManualRecording::onNotice(qint64, qint64) {
    timer4_->stop();
    timer4_->setInterval(kTickMs);
    if (!paused_) readPosition();

    const int timerSeconds = settings_.number(Setting::SHUDO);
    if (timerSeconds > 0 && shownSeconds() >= endMark_) {
        request_ = None;
        if (!hooks_.exitArmed() && !commands_["MO_SHUDOREC_TM_END"]->isChecked()) {
            // The timer pauses: the recording waits for resume or stop.
            endMark_ += timerSeconds;
            panel_.Label15->setText(QString::number(endMark_));
            buttonOf(panel_, "Button20")->hide();
            paused_ = true;
            enableTick();
        } else {
            const bool started = panel_.Panel3->isVisible();
            session_.SaveManualRecording();
            if (started) hooks_.showLog();
            resetPanel();
        }
        if (hooks_.timerRunning()) hooks_.timerStart();
        return;
    }
    if (request_ == Pause) {
        request_ = None;
        buttonOf(panel_, "Button20")->hide();
        paused_ = true;
        enableTick();
        return;
    }
    const bool started = panel_.Panel3->isVisible();
    session_.SaveManualRecording();
    request_ = None;
    if (started) hooks_.showLog();
    resetPanel();
    hooks_.timerStop();
}

void ManualRecording::resetPanel() {
    panel_.Button1->setEnabled(true);
    panel_.Button18->setEnabled(false);
    panel_.Panel3->hide();
    panel_.Label9->setPalette(panel_.palette());
}

void ManualRecording::ShowManualTimer(int seconds) {
    seconds = std::clamp(seconds, 0, kMaxTimerSeconds);
    settings_.setNumber(Setting::SHUDO, seconds);
    const QPalette normal = QApplication::palette();
    const bool on = seconds != 0;
    const QString caption = on ? QStringLiteral("手動録音タイマー %1秒").arg(seconds)
                               : QStringLiteral("手動録音タイマー ＯＦＦ");
    for (const char* name : {"MSHUDO", "PR_SHUDO"}) commands_[name]->setText(caption);
    for (const char* name : {"MO_SHUDOREC_TM_END", "PR_SHUDOREC_TM_END", "PR_TM_OFF"})
        commands_[name]->setEnabled(on);
    if (on) {
        endMark_ = shownSeconds() + seconds;
        panel_.Label15->setText(QString::number(endMark_));
        // Shown inverted, like the time labels, so a running timer is not missed.
        setColours(panel_.Label15, normal.color(QPalette::WindowText), normal.color(QPalette::Window));
        panel_.Label9->setText(QStringLiteral("録音"));
    } else {
        panel_.Label15->setText(QStringLiteral("0"));
        setColours(panel_.Label15, panel_.palette().color(QPalette::Window), normal.color(QPalette::WindowText));
        panel_.Label9->setText(QStringLiteral("録音時間"));
    }
}

}  // namespace sondex
