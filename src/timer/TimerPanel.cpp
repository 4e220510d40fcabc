#include "timer/TimerPanel.h"

#include "timer/TimerLists.h"
#include "ui/controls/Placing.h"
#include "ui/controls/SpinButton.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace sondex {

namespace {

QLabel* timeLabel(QWidget* parent, const char* name, int x) {
    QLabel* l = build::label(parent, name, "00", {x, 120, 20, 20}, "クリックで、時刻の選択");
    l->setFrameShape(QFrame::Box);
    l->setAlignment(Qt::AlignCenter);
    return l;
}


}  // namespace

TimerPanel::TimerPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel_JK"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    using namespace build;
    label(this, "Label_JK_TITLE", "時刻タイマー", {3, 3, 80, 20});
    Label_JK_MODE = label(this, "Label_JK_MODE", "停止中", {85, 3, 50, 20}, "時刻タイマーの状態");
    Button_JK_START = button(this, "Button_JK_START", "開始", {137, 2, 40, 22}, "時刻タイマー開始");
    Button_JK_STOP = button(this, "Button_JK_STOP", "停止", {137, 2, 40, 22}, "時刻タイマー終了");
    Button_JK_STOP->hide();  // the two share one place; the one that applies is shown
    Button_JK_CLOSE = button(this, "Button_JK_CLOSE", "閉じる", {221, 2, 35, 22});

    ComboBox_TM_Mode = comboBox(this, "ComboBox_TM_Mode", {3, 26, 70, 22}, "タイマーモード");
    ComboBox_TM_Mode->addItems({QStringLiteral("毎日"), QStringLiteral("月-金"), QStringLiteral("毎週")});
    ComboBox_TM_SUB = comboBox(this, "ComboBox_TM_SUB", {75, 26, 120, 22}, "サブメニュー");
    Btn_DAY_HENSHU = button(this, "Btn_DAY_HENSHU", "編集", {197, 26, 40, 22});
    Label_JK_KOSU = label(this, "Label_JK_KOSU", "0ｺ", {239, 28, 18, 18}, "登録数");

    Panel_TM_Mode = panel(this, "Panel_TM_Mode", {3, 26, 234, 22});
    Panel_TM_Mode->setAutoFillBackground(true);
    Label_TM_Mode = label(Panel_TM_Mode, "Label_TM_Mode", "", {0, 2, 50, 18});
    Label_TM_SUB = label(Panel_TM_Mode, "Label_TM_SUB", "", {52, 2, 100, 18});
    Label_Mode_TM = label(Panel_TM_Mode, "Label_Mode_TM", "---", {154, 2, 44, 18}, "録音フォーマット");
    Label_YoBI_2 = label(Panel_TM_Mode, "Label_YoBI_2", "", {200, 2, 34, 18});
    Panel_TM_Mode->hide();

    ListBox_JK = listBox(this, "ListBox_JK", {3, 50, 253, 66}, "右クリックで、削除メニュー");
    // The lists keep the lines in order; the box shows them row for row.

    Label_JK_SH = timeLabel(this, "Label_JK_SH", 3);
    SpinButton_JK_SH = build::spinButton(this, "SpinButton_JK_SH", {24, 118, 14, 24});
    label(this, "LabelColonS", ":", {39, 120, 6, 20});
    Label_JK_SM = timeLabel(this, "Label_JK_SM", 45);
    SpinButton_JK_SM = build::spinButton(this, "SpinButton_JK_SM", {66, 118, 14, 24});
    Button_JK_ST = button(this, "Button_JK_ST", "始", {82, 119, 22, 22}, "現在の時刻");
    Button_JK_MSET = button(this, "Button_JK_MSET", "> 終", {106, 119, 32, 22});
    Label_JK_EH = timeLabel(this, "Label_JK_EH", 140);
    SpinButton_JK_EH = build::spinButton(this, "SpinButton_JK_EH", {161, 118, 14, 24});
    label(this, "LabelColonE", ":", {176, 120, 6, 20});
    Label_JK_EM = timeLabel(this, "Label_JK_EM", 182);
    SpinButton_JK_EM = build::spinButton(this, "SpinButton_JK_EM", {203, 118, 14, 24});
    Button_JK_TMSET = button(this, "Button_JK_TMSET", "登録", {219, 119, 37, 22});

    RadioGroup_JK = new QButtonGroup(this);
    RadioGroup_JK->setObjectName(QStringLiteral("RadioGroup_JK"));
    QFrame* radios = panel(this, "RadioGroup_JKFrame", {3, 144, 253, 40});
    radios->setToolTip(QStringLiteral("録音終了時の処理"));
    const char* items[] = {"N 一時停止", "E 停止", "C 終了", "W WIN終了"};
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(items[i]), radios);
        radio->setGeometry((i % 2) * 126, (i / 2) * 20, 124, 20);
        RadioGroup_JK->addButton(radio, i);
    }
    RadioGroup_JK->button(1)->setChecked(true);

    Panel_DAY = panel(this, "Panel_DAY", {3, 50, 253, 66});
    Panel_DAY->setFrameShape(QFrame::StyledPanel);
    Panel_DAY->setAutoFillBackground(true);
    Edit_DAY = new QLineEdit(Panel_DAY);
    Edit_DAY->setObjectName(QStringLiteral("Edit_DAY"));
    Edit_DAY->setGeometry(4, 4, 245, 22);
    Btn_DAY_HENKO = button(Panel_DAY, "Btn_DAY_HENKO", "変更", {4, 32, 58, 26});
    Btn_DAY_NEW = button(Panel_DAY, "Btn_DAY_NEW", "新規", {66, 32, 58, 26});
    Btn_DAY_DEL = button(Panel_DAY, "Btn_DAY_DEL", "削除", {128, 32, 58, 26});
    Btn_DAY_CANCEL = button(Panel_DAY, "Btn_DAY_CANCEL", "戻る", {190, 32, 58, 26});
    Panel_DAY->hide();
    resize(259, 187);
}

void TimerPanel::present(const TimerLists& lists) {
    const QSignalBlocker quietList(ListBox_JK);
    const QSignalBlocker quietModes(ComboBox_TM_Mode);
    const QSignalBlocker quietSubLists(ComboBox_TM_SUB);
    const QSignalBlocker quietName(Edit_DAY);

    // Refilling only on a change keeps the box's scroll position while the editors move.
    QStringList shownLines;
    for (int row = 0; row < ListBox_JK->count(); ++row) shownLines.append(ListBox_JK->item(row)->text());
    if (shownLines != lists.lines()) {
        ListBox_JK->clear();
        ListBox_JK->addItems(lists.lines());
    }
    ListBox_JK->clearSelection();
    if (lists.currentRow() >= 0) ListBox_JK->setCurrentRow(lists.currentRow(), QItemSelectionModel::NoUpdate);
    for (const int row : lists.selectedRows()) ListBox_JK->item(row)->setSelected(true);
    Label_JK_KOSU->setText(lists.countText());

    QLabel* const editors[] = {Label_JK_SH, Label_JK_SM, Label_JK_EH, Label_JK_EM};
    for (int e = TimerLists::StartHour; e <= TimerLists::EndMinute; ++e)
        editors[e]->setText(lists.editor(static_cast<TimerLists::Editor>(e)));
    if (QAbstractButton* action = RadioGroup_JK->button(lists.actionIndex())) action->setChecked(true);

    ComboBox_TM_Mode->setCurrentIndex(lists.chosenMode());
    const QStringList items = lists.subListItems();
    QStringList shown;
    for (int i = 0; i < ComboBox_TM_SUB->count(); ++i) shown.append(ComboBox_TM_SUB->itemText(i));
    if (shown != items) {
        ComboBox_TM_SUB->clear();
        ComboBox_TM_SUB->addItems(items);
    }
    ComboBox_TM_SUB->setCurrentIndex(lists.subListIndex());
    Btn_DAY_HENSHU->setVisible(lists.chosenMode() == 0);
    Panel_DAY->setVisible(lists.groupEditorOpen());
    if (Edit_DAY->text() != lists.groupEditText()) Edit_DAY->setText(lists.groupEditText());
}

}  // namespace sondex
