#include "ui/dialogs/TTMSETBox.h"

#include "core/BoxAnswer.h"
#include "ui/dialogs/TMKBoxDlg.h"
#include "ui/dialogs/NumberRules.h"
#include "ui/controls/SpinButton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace sondex {
namespace {

constexpr int kBaseWidth = 300;

QLabel* messageLine(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

TTMSETBox::TTMSETBox(const NumberRequest& request, DialogHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      request_(request),
      value_(request.value),
      label2_(new QLabel(QStringLiteral("0秒"), this)),
      confirmBox_(new TMKBoxDlg(host, this)) {
    setObjectName(QStringLiteral("TTMSETBox"));
    confirmBox_->setObjectName(QStringLiteral("MKBoxDlg1"));
    confirmBox_->setSourceHandle(this);
    confirmBox_->setTitle(request.title);

    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label2_->setFrameShape(QFrame::Panel);
    label2_->setFrameShadow(QFrame::Sunken);
    QFont large = label2_->font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    large.setBold(true);
    label2_->setFont(large);
    // Room for the widest value, so the window does not change size while stepping.
    label2_->setMinimumWidth(label2_->fontMetrics().horizontalAdvance(number_rules::valueText(
                                 number_rules::kHighest, request.msg0, request.unit)) +
                             16);

    auto* spins = new QGridLayout;
    spins->setHorizontalSpacing(6);
    spins->setVerticalSpacing(0);
    const struct {
        const char* name;
        QString hint;
        int step;
    } steps[] = {{"SpinButton1", QStringLiteral("１"), 1},
                 {"SpinButton2", QStringLiteral("１０"), 10},
                 {"SpinButton3", QStringLiteral("６０"), 60}};
    int column = 0;
    for (const auto& each : steps) {
        spins->addWidget(makeSpin(each.name, each.hint, each.step), 0, column, Qt::AlignHCenter);
        auto* caption = new QLabel(QString::number(each.step), this);
        caption->setAlignment(Qt::AlignHCenter);
        spins->addWidget(caption, 1, column, Qt::AlignHCenter);
        ++column;
    }

    auto* valueRow = new QHBoxLayout;
    valueRow->addStretch(1);
    valueRow->addWidget(label2_);
    valueRow->addSpacing(8);
    valueRow->addLayout(spins);
    valueRow->addStretch(1);

    auto* set = new QPushButton(QStringLiteral("設 定"), this);
    set->setObjectName(QStringLiteral("Button1"));
    set->setDefault(true);
    auto* stop = new QPushButton(QStringLiteral("中 止"), this);
    stop->setObjectName(QStringLiteral("Button4"));
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(set);
    buttonRow->addWidget(stop);
    buttonRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(messageLine(this, "LMsg0", request.msg0));
    layout->addWidget(messageLine(this, "LMsg1", request.msg1));
    layout->addWidget(messageLine(this, "LMsg2", request.msg2));
    layout->addSpacing(6);
    layout->addLayout(valueRow);
    layout->addSpacing(6);
    layout->addLayout(buttonRow);

    connect(set, &QPushButton::clicked, this, &TTMSETBox::confirm);
    connect(stop, &QPushButton::clicked, this, [this] { done(code(BoxAnswer::Abort)); });

    setValue(value_);
    // The labels keep their text on one line: a long first line widens the window.
    const QSize hint = sizeHint();
    setFixedSize(std::max(kBaseWidth, hint.width()), hint.height());
}

SpinButton* TTMSETBox::makeSpin(const char* name, const QString& hint, int step) {
    auto* spin = new SpinButton(this);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setToolTip(hint);
    spin->setFixedSize(20, 34);
    connect(spin, &SpinButton::upClick, this,
            [this, step] { setValue(number_rules::stepped(value_, step)); });
    connect(spin, &SpinButton::downClick, this,
            [this, step] { setValue(number_rules::stepped(value_, -step)); });
    return spin;
}

void TTMSETBox::setValue(int value) {
    value_ = value;
    label2_->setText(number_rules::valueText(value_, request_.msg0, request_.unit));
}

void TTMSETBox::confirm() {
    setValue(number_rules::raisedToMinimum(value_, request_.minCount));
    const QString question =
        number_rules::confirmationText(request_.subject, value_, request_.unit);
    // Any answer but はい (いいえ, closed, no free slot) leaves the dialog open.
    if (confirmBox_->TMMsgBoxYN(question, BoxAnswer::Yes) == BoxAnswer::Yes) {
        done(code(BoxAnswer::Ok));
    }
}

void TTMSETBox::reject() {
    done(code(BoxAnswer::Closed));
}

}  // namespace sondex
