#include "ui/dialogs/TMKBox.h"

#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace sondex {
namespace {

constexpr int kMinMemoWidth = 260;
constexpr int kMaxMemoWidth = 560;
constexpr int kMaxMemoRows = 18;
constexpr int kIconSize = 32;
constexpr int kMarkerWidth = 6;

QString secondsText(int seconds) {
    return QString::number(seconds) + QStringLiteral("秒");
}

// The marker must stand out against the main window, which turns pure red
// while the exit after recording is armed.
QColor markerColour(const QColor& background) {
    return background.rgb() == QColor(Qt::red).rgb() ? QColor(Qt::blue) : QColor(Qt::red);
}

}  // namespace

TMKBox::TMKBox(const BoxRequest& request, const DialogHost& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      host_(host),
      memo_(new QTextEdit(this)),
      imageBox_(new QLabel(this)),
      imageMk_(new QLabel(this)),
      imageYn_(new QLabel(this)),
      labelTm_(new QLabel(this)),
      tmCountS_(new QLabel(this)),
      labelSelect_(new QLabel(this)),
      ok_(makeButton("Btn_OK", QStringLiteral("ＯＫ"))),
      yes_(makeButton("Btn_Yes", QStringLiteral("はい"))),
      no_(makeButton("Btn_No", QStringLiteral("いいえ"))),
      abort_(makeButton("Btn_Abort", QStringLiteral("中 断"))),
      tmStop_(makeButton("Btn_TM_STOP", QStringLiteral("一時停止"))),
      tmOpen_(makeButton("Btn_TM_OPEN", QStringLiteral("ｶｳﾝﾄ再開"))),
      timer1_(new QTimer(this)),
      timerPaint_(new QTimer(this)),
      question_(request.variant == BoxVariant::YesNo),
      remaining_(request.seconds) {
    setObjectName(QStringLiteral("TMKBox"));

    memo_->setObjectName(QStringLiteral("MemoMsg"));
    memo_->setReadOnly(true);
    memo_->setFrameShape(QFrame::NoFrame);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo_->setToolTip(QStringLiteral("右クリックで、コピーできます☆"));
    memo_->setAcceptRichText(false);
    memo_->setPlainText(request.text);
    fitMemo();

    imageBox_->setObjectName(QStringLiteral("Image_Box"));
    imageBox_->setFixedSize(kIconSize + 8, kIconSize + 8);
    imageBox_->setAlignment(Qt::AlignCenter);
    imageMk_->setObjectName(QStringLiteral("Image_MK"));
    imageMk_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kIconSize));
    imageMk_->hide();
    imageYn_->setObjectName(QStringLiteral("Image_YN"));
    imageYn_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(kIconSize));
    imageYn_->hide();

    labelTm_->setObjectName(QStringLiteral("Label_TM"));
    labelTm_->setText(secondsText(request.seconds));
    labelTm_->setMinimumWidth(labelTm_->fontMetrics().horizontalAdvance(QStringLiteral("00000秒")));
    tmCountS_->setObjectName(QStringLiteral("TMCountS"));
    tmCountS_->setText(QString::number(request.seconds));
    tmCountS_->hide();

    labelSelect_->setObjectName(QStringLiteral("Label_Select"));
    labelSelect_->setToolTip(QStringLiteral("タイムアウト、デフォルト値"));
    labelSelect_->setAutoFillBackground(true);
    labelSelect_->setFixedSize(kMarkerWidth, ok_->sizeHint().height());

    // Enter presses the positive answer; Esc presses いいえ or 中 断 (keyPressEvent).
    ok_->setDefault(true);
    yes_->setDefault(true);
    // ｶｳﾝﾄ再開 takes the place of 一時停止, so the row keeps its width.
    const int pauseWidth = std::max(tmStop_->sizeHint().width(), tmOpen_->sizeHint().width());
    tmStop_->setFixedWidth(pauseWidth);
    tmOpen_->setFixedWidth(pauseWidth);

    const BoxButtons buttons = buttonsFor(request.variant, request.kind, request.countsDown);
    const MarkedButton marked = markedButton(buttons, request.countsDown, request.defaultAnswer);
    ok_->setHidden(!buttons.ok);
    yes_->setHidden(!buttons.yes);
    no_->setHidden(!buttons.no);
    abort_->setHidden(!buttons.abort);
    tmStop_->setHidden(!buttons.pause);
    tmOpen_->hide();
    labelTm_->setHidden(!request.countsDown);
    labelSelect_->setHidden(marked == MarkedButton::None);

    auto* message = new QHBoxLayout;
    message->addWidget(imageBox_, 0, Qt::AlignTop);
    message->addWidget(memo_, 1);
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addLayout(message);
    column->addSpacing(6);
    column->addLayout(buildButtonRow(buttons, marked));

    connect(ok_, &QPushButton::clicked, this, [this] { done(code(BoxAnswer::Ok)); });
    connect(yes_, &QPushButton::clicked, this, [this] { done(code(BoxAnswer::Yes)); });
    connect(no_, &QPushButton::clicked, this, [this] { done(code(BoxAnswer::No)); });
    connect(abort_, &QPushButton::clicked, this, [this] { done(code(BoxAnswer::Abort)); });
    connect(tmStop_, &QPushButton::clicked, this, &TMKBox::pause);
    connect(tmOpen_, &QPushButton::clicked, this, &TMKBox::resume);

    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(1000);
    connect(timer1_, &QTimer::timeout, this, &TMKBox::tick);
    timerPaint_->setObjectName(QStringLiteral("Timer_Paint"));
    timerPaint_->setSingleShot(true);
    timerPaint_->setInterval(200);
    connect(timerPaint_, &QTimer::timeout, this, &TMKBox::drawIcon);

    applyHostColours();
    if (request.countsDown) timer1_->start();
}

QPushButton* TMKBox::makeButton(const char* name, const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("いいえ")) + 40);
    return button;
}

// Buttons centred in a row, 一時停止 and the seconds beside them; the marker
// sits immediately left of the button the countdown will choose.
QHBoxLayout* TMKBox::buildButtonRow(const BoxButtons& buttons, MarkedButton marked) {
    auto* row = new QHBoxLayout;
    auto add = [&](std::initializer_list<QWidget*> widgets, bool withMarker) {
        auto* group = new QHBoxLayout;
        group->setSpacing(2);
        if (withMarker) group->addWidget(labelSelect_);
        for (QWidget* widget : widgets) group->addWidget(widget);
        row->addLayout(group);
    };
    row->addStretch(1);
    add({ok_}, marked == MarkedButton::Ok);
    add({yes_}, marked == MarkedButton::Yes);
    add({no_}, marked == MarkedButton::No);
    add({abort_}, marked == MarkedButton::Abort);
    if (buttons.pause) row->addSpacing(12);
    add({tmStop_, tmOpen_}, marked == MarkedButton::Resume);
    row->addWidget(labelTm_);
    row->addStretch(1);
    return row;
}

// Wide enough for the longest line within limits, tall enough for every line
// as wrapped at that width; longer messages scroll. A document of the same
// text measures it, so Japanese glyphs from a fallback font count fully.
void TMKBox::fitMemo() {
    QTextDocument measure;
    measure.setDefaultFont(memo_->font());
    measure.setDocumentMargin(memo_->document()->documentMargin());
    measure.setPlainText(memo_->toPlainText());
    const int width = std::clamp(static_cast<int>(std::ceil(measure.idealWidth())) + 2,
                                 kMinMemoWidth, kMaxMemoWidth);
    measure.setTextWidth(width);
    const int tallest = kMaxMemoRows * QFontMetrics(memo_->font()).lineSpacing();
    const int height = std::min(static_cast<int>(std::ceil(measure.size().height())) + 2, tallest);
    const int frame = 2 * memo_->frameWidth();
    memo_->setFixedSize(width + frame, height + frame);
}

void TMKBox::applyHostColours() {
    if (!wearHostColours(*this, host_, true)) return;
    QPalette marker = labelSelect_->palette();
    marker.setColor(QPalette::Window, markerColour(host_.backgroundColour()));
    labelSelect_->setPalette(marker);
}

void TMKBox::drawIcon() {
    QPixmap canvas(imageBox_->size());
    canvas.fill(palette().color(QPalette::Window));
    QPainter painter(&canvas);
    const QPixmap icon = (question_ ? imageYn_ : imageMk_)->pixmap();
    painter.drawPixmap((canvas.width() - icon.width()) / 2, (canvas.height() - icon.height()) / 2,
                       icon);
    painter.end();
    imageBox_->setPixmap(canvas);
}

void TMKBox::tick() {
    if (inTick_) return;
    inTick_ = true;
    --remaining_;
    labelTm_->setText(secondsText(remaining_));
    if (remaining_ < 1) done(TimedOut);
    inTick_ = false;
}

void TMKBox::pause() {
    timer1_->stop();
    tmStop_->hide();
    tmOpen_->show();
    tmOpen_->setFocus();
}

void TMKBox::resume() {
    tmOpen_->hide();
    tmStop_->show();
    tmStop_->setFocus();
    timer1_->start();
}

void TMKBox::done(int answer) {
    timer1_->stop();
    QDialog::done(answer);
}

void TMKBox::reject() {
    done(code(BoxAnswer::Closed));
}

void TMKBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (!no_->isHidden()) {
        no_->click();
    } else if (!abort_->isHidden()) {
        abort_->click();
    }
    event->accept();
}

// The main window's colours may change while a box waits (the exit after
// recording armed or disarmed), so they are taken again at every paint.
void TMKBox::paintEvent(QPaintEvent* event) {
    applyHostColours();
    QDialog::paintEvent(event);
}

void TMKBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    timerPaint_->start();
}

}  // namespace sondex
