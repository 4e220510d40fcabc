#include "timer/TJikanBox.h"

#include "core/BoxAnswer.h"
#include "platform/SystemClock.h"
#include "ui/controls/Placing.h"
#include "ui/controls/SpinButton.h"
#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace sondex {
namespace {

using clockedit::OneTouch;
using clockedit::Unit;

constexpr int kWidth = 330;
constexpr int kDetailsTop = 96;
constexpr QRect kDetailsArea{8, kDetailsTop, kWidth - 16, 94};

QString failureText(const SystemClock::Result& result) {
    switch (result.outcome) {
        case SystemClock::Outcome::Done:
            return QString();
        case SystemClock::Outcome::NetworkTimeOn:
            return QStringLiteral(
                "時計は、ネットワーク時刻で自動的に合わせられています・・・\n"
                "時刻を変えるには、自動の時刻合わせを止めて下さい。");
        case SystemClock::Outcome::PermissionRefused:
            return QStringLiteral("時刻を変更する権限がありません・・・\n時刻は変わっていません。");
        case SystemClock::Outcome::Failed:
            break;
    }
    return QStringLiteral("時刻を変更できませんでした・・・\n") + result.error;
}

QLabel* timeLabel(QWidget* parent, const char* name, QRect geometry) {
    QLabel* label = build::label(parent, name, "", geometry);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

}  // namespace

TJikanBox::TJikanBox(DialogHost& host, SystemClock& clock, Now now, const QString& caption,
                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      host_(host),
      clock_(clock),
      now_(std::move(now)),
      Label_NowTime_(timeLabel(this, "Label_NowTime", {80, 8, kWidth - 88, 24})),
      Timer_NowTime_(new QTimer(this)),
      messages_(new TMKBoxDlg(host, this)) {
    setObjectName(QStringLiteral("TJikanBox"));
    setWindowTitle(caption);
    messages_->setObjectName(QStringLiteral("MKBoxDlg1"));
    messages_->setTitle(caption);
    messages_->setSourceHandle(this);

    build::label(this, "Label1", "現在時刻", {8, 8, 68, 24})->setAlignment(Qt::AlignVCenter);
    buildOneTouch();
    buildDetails();
    QPushButton* ok = build::button(this, "Btn_OK", "OK", {kWidth - 88, kDetailsTop + 102, 80, 26});
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(kWidth, kDetailsTop + 136);

    Timer_NowTime_->setObjectName(QStringLiteral("Timer_NowTime"));
    Timer_NowTime_->setInterval(1000);
    connect(Timer_NowTime_, &QTimer::timeout, this, &TJikanBox::Timer_NowTimeTimer);
    Timer_NowTimeTimer();
    Timer_NowTime_->start();
    wearHostColours(*this, host_);
}

void TJikanBox::buildOneTouch() {
    auto* group = new QGroupBox(QStringLiteral("ワンタッチ設定"), this);
    group->setObjectName(QStringLiteral("GroupBox_OneTouch"));
    group->setGeometry(8, 38, kWidth - 16, 54);
    const struct {
        const char* name;
        const char* caption;
        OneTouch step;
    } buttons[] = {{"Btn_M30", "-30s", OneTouch::Minus30},
                   {"Btn_M10", "-10s", OneTouch::Minus10},
                   {"Btn_00", "-00s", OneTouch::Zero},
                   {"Btn_10", "+10s", OneTouch::Plus10},
                   {"Btn_30", "+30s", OneTouch::Plus30}};
    int x = 10;
    for (const auto& each : buttons) {
        QPushButton* button = build::button(group, each.name, each.caption, {x, 20, 54, 26});
        button->setAutoDefault(false);
        const OneTouch step = each.step;
        connect(button, &QPushButton::clicked, this,
                [this, step] { setClock(clockedit::oneTouch(now_(), step)); });
        x += 60;
    }
}

void TJikanBox::buildDetails() {
    details_ = new QWidget(this);
    details_->setObjectName(QStringLiteral("Panel_Details"));
    details_->setGeometry(kDetailsArea);
    build::label(details_, "Label2", "変更時刻", {0, 0, 68, 24})->setAlignment(Qt::AlignVCenter);
    Label_EditTime_ = timeLabel(details_, "Label_EditTime", {72, 0, kDetailsArea.width() - 72, 24});

    const struct {
        const char* name;
        const char* unitName;
        Unit unit;
    } spins[] = {{"SpinButton_Y", "年", Unit::Year},   {"SpinButton_M", "月", Unit::Month},
                 {"SpinButton_D", "日", Unit::Day},    {"SpinButton_H", "時", Unit::Hour},
                 {"SpinButton_F", "分", Unit::Minute}, {"SpinButton_S", "秒", Unit::Second}};
    int x = 4;
    for (const auto& each : spins) {
        makeSpin(details_, each.name, each.unitName, each.unit, x);
        x += 52;
    }

    QPushButton* get = build::button(details_, "Btn_GetNowTime", "Get NowTime", {0, 64, 120, 26},
                                     "変更時刻に、現在の時刻を取り込みます");
    get->setAutoDefault(false);
    connect(get, &QPushButton::clicked, this, &TJikanBox::Btn_GetNowTimeClick);
    QPushButton* set =
        build::button(details_, "Btn_SetEditTime", "設定",
                      {kDetailsArea.width() - 120, 64, 120, 26}, "時計を、変更時刻に合わせます");
    set->setAutoDefault(false);
    connect(set, &QPushButton::clicked, this, [this] { setClock(editTime_); });
    details_->hide();

    // Until its button is pressed the panel stands where the detailed controls are.
    Panel_Shosai_ = build::panel(this, "Panel_Shosai", kDetailsArea);
    Panel_Shosai_->setFrameShape(QFrame::StyledPanel);
    QPushButton* open = build::button(
        Panel_Shosai_, "Btn_Shosai", "詳細設定",
        {(kDetailsArea.width() - 120) / 2, (kDetailsArea.height() - 26) / 2, 120, 26});
    open->setAutoDefault(false);
    connect(open, &QPushButton::clicked, this, &TJikanBox::Btn_ShosaiClick);
}

void TJikanBox::makeSpin(QWidget* parent, const char* name, const char* unitName, Unit unit,
                         int x) {
    build::label(parent, "", unitName, {x, 34, 18, 24})
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SpinButton* spin = build::spinButton(parent, name, {x + 20, 30, 18, 30});
    connect(spin, &SpinButton::upClick, this,
            [this, unit] { setEditTime(clockedit::stepped(editTime_, unit, true)); });
    connect(spin, &SpinButton::downClick, this,
            [this, unit] { setEditTime(clockedit::stepped(editTime_, unit, false)); });
}

void TJikanBox::Timer_NowTimeTimer() {
    Label_NowTime_->setText(clockedit::shownText(now_()));
}

void TJikanBox::Btn_ShosaiClick() {
    Panel_Shosai_->hide();
    details_->show();
    Btn_GetNowTimeClick();
}

void TJikanBox::Btn_GetNowTimeClick() {
    setEditTime(now_());
}

void TJikanBox::setEditTime(const QDateTime& moment) {
    editTime_ = moment;
    Label_EditTime_->setText(clockedit::shownText(editTime_));
}

void TJikanBox::setClock(const QDateTime& moment) {
    // The service keeps the window live while a password prompt waits; a
    // second press meanwhile must not start a second change.
    if (setting_) return;
    setting_ = true;
    setEnabled(false);
    const SystemClock::Result result = clock_.setLocalTime(moment);
    setEnabled(true);
    setting_ = false;
    Timer_NowTimeTimer();
    if (result.outcome != SystemClock::Outcome::Done)
        messages_->TMMsgBox(failureText(result), BoxAnswer::Ok);
}

// The main window's colours may change while the window is open (the exit
// after recording armed), so they are taken again at every paint.
void TJikanBox::paintEvent(QPaintEvent* event) {
    wearHostColours(*this, host_);
    QDialog::paintEvent(event);
}

}  // namespace sondex
