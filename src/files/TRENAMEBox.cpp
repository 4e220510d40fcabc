#include "files/TRENAMEBox.h"

#include "files/FileRename.h"
#include "files/RenameRules.h"
#include "ui/controls/ClickWatch.h"
#include "ui/controls/Placing.h"
#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace sondex {

namespace {

constexpr int kWidth = 400;
constexpr int kMargin = 8;

QLineEdit* edit(QWidget* parent, const char* name, QRect geometry, const char* hint = nullptr) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(geometry);
    if (hint) field->setToolTip(QString::fromUtf8(hint));
    return field;
}

QPushButton* plainButton(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    QPushButton* button = build::button(parent, name, caption, geometry);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TRENAMEBox::TRENAMEBox(DialogHost& host, const QString& path, const QString& proposed,
                       const RenameBoxSettings& settings, bool standardColor, QWidget* parent)
    : QDialog(parent),
      host_(host),
      standardColor_(standardColor),
      messages_(new TMKBoxDlg(host, this)) {
    setObjectName(QStringLiteral("TRENAMEBox"));
    const qsizetype slash = path.lastIndexOf(u'/');
    folder_ = path.left(slash + 1);
    oldName_ = path.mid(slash + 1);
    build();
    fill(proposed, settings);
    fitLongNames();
    filling_ = false;
    messages_->setSourceHandle(this);
    wearHostColours(*this, host_, !standardColor_);
}

void TRENAMEBox::build() {
    using namespace build;
    Msg_ = label(this, "Msg", "", {kMargin, 8, kWidth - 2 * kMargin, 18});
    LabelLZH_Name_ = label(this, "LabelLZH_Name", "LZH:", {kMargin, 8, 40, 18});
    LabelLZH_ = label(this, "LabelLZH", "", {kMargin + 44, 8, kWidth - 2 * kMargin - 44, 18});
    LabelOldName_ = label(this, "LabelOldName", "", {kMargin, 28, kWidth - 2 * kMargin, 18});
    EditNewName_ = edit(this, "EditNewName", {kMargin, 48, kWidth - 2 * kMargin, 24});

    // "*" and "指定" lie under the mode buttons and show once an automatic mode hides them.
    connect(plainButton(this, "ColorBtn2", "*", {kMargin, 80, 28, 24}), &QPushButton::clicked, this,
            &TRENAMEBox::ColorBtn2Click);
    QLabel* choose = label(this, "Label1", "指定", {kMargin + 34, 80, 40, 24});
    ClickWatch::onClick(choose, [this] { Label1Click(); });
    Panel_Auto_Set_ = panel(this, "Panel_Auto_Set", {kMargin, 78, kWidth - 2 * kMargin, 28});
    connect(plainButton(Panel_Auto_Set_, "ColorBtn1", "自動ﾌｧｲﾙ名", {0, 2, 120, 24}),
            &QPushButton::clicked, this, &TRENAMEBox::ColorBtn1Click);
    connect(plainButton(Panel_Auto_Set_, "ButtonAuto_Kaku", "自動拡張子", {126, 2, 120, 24}),
            &QPushButton::clicked, this, &TRENAMEBox::ButtonAuto_KakuClick);

    Edit1_ = edit(this, "Edit1", {kMargin, 112, 110, 24}, "無い時は、すべて変更します。");
    Edit2_ = edit(this, "Edit2", {kMargin + 116, 112, 110, 24}, "拡張子の設定");
    connect(plainButton(this, "Button5", "変更", {kMargin + 232, 112, 64, 24}),
            &QPushButton::clicked, this, &TRENAMEBox::Button5Click);

    Panel_AutoName_ = panel(this, "Panel_AutoName", {kMargin, 142, kWidth - 2 * kMargin, 28});
    Edit_Auto_Name_ = edit(Panel_AutoName_, "Edit_Auto_Name", {0, 2, 150, 24});
    Edit_Auto_No_ = edit(Panel_AutoName_, "Edit_Auto_No", {156, 2, 100, 24});
    Edit_KETA_ = edit(Panel_AutoName_, "Edit_KETA", {262, 2, 40, 24});
    connect(plainButton(Panel_AutoName_, "Btn_Auto_Name", "変更", {308, 2, 64, 24}),
            &QPushButton::clicked, this, &TRENAMEBox::Btn_Auto_NameClick);

    QPushButton* ok = button(this, "Button1", "ＯＫ", {kMargin, 180, 88, 26});
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TRENAMEBox::Button1Click);
    connect(plainButton(this, "Button2", "飛ばす", {kMargin + 96, 180, 88, 26}),
            &QPushButton::clicked, this, [this] { done(Skipped); });
    connect(plainButton(this, "Button3", "初期値", {kMargin + 192, 180, 88, 26}),
            &QPushButton::clicked, this, &TRENAMEBox::Button3Click);
    connect(plainButton(this, "Button4", "中 断", {kMargin + 288, 180, 88, 26}),
            &QPushButton::clicked, this, [this] { done(Stopped); });
    setFixedSize(kWidth, 214);

    for (QLineEdit* field : {Edit1_, Edit2_})
        connect(field, &QLineEdit::textChanged, this, &TRENAMEBox::applyExtension);
    for (QLineEdit* field : {Edit_Auto_Name_, Edit_Auto_No_})
        connect(field, &QLineEdit::textChanged, this, &TRENAMEBox::applyNumberedName);
}

void TRENAMEBox::fill(const QString& proposed, const RenameBoxSettings& settings) {
    const bool archive = !settings.lzh.isEmpty();
    LabelLZH_->setText(settings.lzh);
    LabelLZH_->setVisible(archive);
    LabelLZH_Name_->setVisible(archive);
    Msg_->setVisible(!archive);
    Msg_->setText(folder_);
    LabelOldName_->setText(oldName_);
    QString name = proposed.isEmpty() ? oldName_ : proposed;
    firstName_ = name;

    Edit1_->setText(settings.oldExtension);
    Edit2_->setText(settings.newExtension);
    Panel_Auto_Set_->setHidden(settings.autoRename0);
    Panel_AutoName_->setHidden(settings.autoRename1);
    Edit_Auto_Name_->setText(settings.autoName);
    const int digits = renamerules::limitDigits(settings.digits);
    Edit_KETA_->setText(QString::number(digits));
    Edit_Auto_No_->setText(renamerules::paddedNumber(settings.autoNo, digits));

    if (numberedMode() && !Edit_Auto_No_->text().isEmpty()) {
        name = renamerules::numberedName(Edit_Auto_Name_->text(), Edit_Auto_No_->text(), oldName_);
    } else if (extensionMode() && !Edit2_->text().isEmpty()) {
        name = renamerules::withNewExtension(name, oldName_, Edit1_->text(), Edit2_->text());
    }
    EditNewName_->setText(name);
}

// A long folder or old name widens the window so that it shows whole.
void TRENAMEBox::fitLongNames() {
    const QFontMetrics metrics(LabelOldName_->font());
    const int widest =
        std::max(metrics.horizontalAdvance(folder_), metrics.horizontalAdvance(oldName_));
    if (widest <= LabelOldName_->width()) return;
    const int width = 2 * kMargin + widest + 4;
    setFixedSize(width, height());
    for (QWidget* field : std::initializer_list<QWidget*>{Msg_, LabelOldName_, EditNewName_})
        field->resize(width - 2 * kMargin, field->height());
}

bool TRENAMEBox::numberedMode() const {
    return Panel_Auto_Set_->isHidden() && !Panel_AutoName_->isHidden();
}

bool TRENAMEBox::extensionMode() const {
    return Panel_Auto_Set_->isHidden() && Panel_AutoName_->isHidden();
}

RenameBoxSettings TRENAMEBox::settingsAfter(const RenameBoxSettings& before) const {
    RenameBoxSettings after = before;
    after.oldExtension = Edit1_->text();
    after.newExtension = Edit2_->text();
    after.autoRename0 = Panel_Auto_Set_->isHidden();
    after.autoRename1 = Panel_AutoName_->isHidden();
    after.autoName = Edit_Auto_Name_->text();
    if (const auto number = renamerules::fieldNumber(Edit_Auto_No_->text())) after.autoNo = *number;
    if (const auto digits = renamerules::fieldNumber(Edit_KETA_->text())) after.digits = *digits;
    if (result() == Done && numberedMode() && !Edit_Auto_No_->text().isEmpty()) ++after.autoNo;
    return after;
}

void TRENAMEBox::Button1Click() {
    const QString name = EditNewName_->text();
    if (name.isEmpty()) {
        messages_->TMMsgBox(QStringLiteral("新しいファイル名を設定して下さい。"), BoxAnswer::Ok);
        return;
    }
    const filerename::Outcome outcome = filerename::renameFile(folder_, oldName_, name);
    if (outcome != filerename::Outcome::Done) {
        messages_->TMMsgBox(filerename::notice(outcome, folder_ + oldName_, folder_ + name),
                            BoxAnswer::Ok);
        return;
    }
    resultPath_ = folder_ + name;
    done(Done);
}

void TRENAMEBox::Button3Click() {
    EditNewName_->setText(firstName_);
    EditNewName_->setFocus();
}

void TRENAMEBox::Button5Click() {
    applyExtension();
}

void TRENAMEBox::Btn_Auto_NameClick() {
    applyNumberedName();
}

void TRENAMEBox::ColorBtn1Click() {
    Panel_AutoName_->show();
    Panel_Auto_Set_->hide();
    Edit_Auto_Name_->setFocus();
    if (!Edit_Auto_Name_->text().isEmpty()) applyNumberedName();
}

void TRENAMEBox::ButtonAuto_KakuClick() {
    Panel_Auto_Set_->hide();
    Panel_AutoName_->hide();
    Edit1_->setFocus();
    if (!Edit1_->text().isEmpty()) applyExtension();
}

void TRENAMEBox::ColorBtn2Click() {
    Panel_Auto_Set_->show();
    Panel_AutoName_->hide();
}

void TRENAMEBox::Label1Click() {
    Panel_Auto_Set_->show();
}

void TRENAMEBox::applyExtension() {
    if (filling_ || extensionRunning_ || !extensionMode()) return;
    extensionRunning_ = true;
    EditNewName_->setText(renamerules::withNewExtension(EditNewName_->text(), oldName_,
                                                        Edit1_->text(), Edit2_->text()));
    extensionRunning_ = false;
}

void TRENAMEBox::applyNumberedName() {
    if (filling_ || numberRunning_ || !numberedMode()) return;
    numberRunning_ = true;
    if (Edit_KETA_->text().isEmpty()) Edit_KETA_->setText(QStringLiteral("1"));
    bool parsed = false;
    const qint64 typed = Edit_KETA_->text().trimmed().toLongLong(&parsed);
    if (!parsed) {
        messages_->TMMsgBox(
            Edit_KETA_->text() +
                QStringLiteral("\n桁数が不正です・・・\n強制的に１桁に変更します☆☆☆"),
            BoxAnswer::Ok);
    }
    const int digits = parsed ? renamerules::limitDigits(typed) : 1;
    Edit_KETA_->setText(QString::number(digits));
    QString number;
    if (!Edit_Auto_No_->text().isEmpty()) {
        const auto value = renamerules::fieldNumber(Edit_Auto_No_->text());
        if (!value) {
            messages_->TMMsgBox(
                Edit_Auto_No_->text() +
                    QStringLiteral(
                        "\nAUTO_Noが不正です・・・\nAUTO_Noには９桁以内の値を設定して下さい☆☆☆"),
                BoxAnswer::Ok);
            numberRunning_ = false;
            return;
        }
        number = renamerules::paddedNumber(*value, digits);
    }
    EditNewName_->setText(renamerules::numberedName(Edit_Auto_Name_->text(), number, oldName_));
    numberRunning_ = false;
}

void TRENAMEBox::reject() {
    done(Stopped);
}

// The main window's colours may change while the window is open (the exit
// after recording armed), so they are taken again at every paint.
void TRENAMEBox::paintEvent(QPaintEvent* event) {
    wearHostColours(*this, host_, !standardColor_);
    QDialog::paintEvent(event);
}

}  // namespace sondex
