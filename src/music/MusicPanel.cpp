#include "music/MusicPanel.h"

#include "ui/controls/Placing.h"
#include "ui/controls/ListResizeBar.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace sondex {

namespace {

constexpr int kListLeft = 2;  // PanelFN keeps this offset on both sides

}  // namespace

MusicPanel::MusicPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel4"));
    using namespace build;
    Button31 = button(this, "Button31", "ＭＩＤＩ参照", {2, 2, 74, 23}, "音楽ファイルを選択する");
    MIDSAVE = checkBox(this, "MIDSAVE", "録音", {78, 3, 46, 22}, "MIDI同期録音");
    Button24 = button(this, "Button24", "再生／録音", {126, 2, 70, 23});
    MIDREP = checkBox(this, "MIDREP", "リピート", {198, 3, 61, 22});
    MIDREP->setAutoFillBackground(true);

    PanelMIDIPOS = panel(this, "PanelMIDIPOS", {2, 2, 128, 23});
    PanelMIDIPOS->setAutoFillBackground(true);
    SpinButton4 = spinButton(PanelMIDIPOS, "SpinButton4", {0, 0, 16, 23}, "±６０秒");
    SpinButton5 = spinButton(PanelMIDIPOS, "SpinButton5", {18, 0, 16, 23}, "±１秒");
    SpinButton6 = spinButton(PanelMIDIPOS, "SpinButton6", {36, 0, 16, 23}, "±１／１０秒");
    ButtonMIDIPOSINI = button(PanelMIDIPOS, "ButtonMIDIPOSINI", "*", {54, 0, 24, 23}, "初期値に戻す");
    PanelMIDIPOS->hide();

    Panel5 = panel(this, "Panel5", {2, 27, 200, 24});
    Button29 = button(Panel5, "Button29", "再開", {0, 0, 56, 24});
    Button25 = button(Panel5, "Button25", "一時停止", {0, 0, 56, 24});
    Button26 = button(Panel5, "Button26", "BS", {58, 0, 44, 24});
    Button27 = button(Panel5, "Button27", "Skip", {104, 0, 44, 24});
    Button28 = button(Panel5, "Button28", "停止", {150, 0, 50, 24});
    Panel5->hide();  // shows while music plays
    Button30 = button(this, "Button30", "閉じる", {206, 27, 53, 24});

    Label14 = label(this, "Label14", "0", {2, 54, 50, 18}, "再生／録音時間（秒）");
    Label13 = label(this, "Label13", "0", {54, 54, 50, 18}, "終了時間（秒）");
    Label13->setAutoFillBackground(true);
    Label10 = label(this, "Label10", "0ｺ", {106, 54, 32, 18}, "登録ファイル数");
    Button32 = button(this, "Button32", ">選択削除", {140, 52, 119, 21}, "選択ファイルを削除する");

    PanelFN = panel(this, "PanelFN", {kListLeft, 76, 255, 68});
    PanelFNVU = new ListResizeBar(PanelFN, PanelFN);
    PanelFNVU->setObjectName(QStringLiteral("PanelFNVU"));
    ListBox3 = listBox(PanelFN, "ListBox3", {}, "音楽ファイルの選択");
    ListBoxFNF = listBox(PanelFN, "ListBoxFNF", {});
    ListBoxFNF->hide();
    auto* fnLayout = new QVBoxLayout(PanelFN);
    fnLayout->setContentsMargins(0, 0, 0, 0);
    fnLayout->setSpacing(0);
    fnLayout->addWidget(PanelFNVU);
    fnLayout->addWidget(ListBox3);
    fnLayout->addWidget(ListBoxFNF);

    Button33 = button(this, "Button33", "<上移動", {2, 146, 78, 21}, "選択ファイルを上に移動");
    Button34 = button(this, "Button34", "<下移動", {82, 146, 78, 21}, "選択ファイルを下に移動");

    QFrame* bar = panel(this, "PSTBar2", {0, 168, 259, 18});
    bar->setFrameShape(QFrame::StyledPanel);
    PSTBar2_0 = label(bar, "PSTBar2_0", "", {2, 1, 40, 16}, "再生レート");
    PSTBar2_1 = label(bar, "PSTBar2_1", "", {44, 1, 20, 16}, "再生レート");
    PSTBar2_2 = label(bar, "PSTBar2_2", "", {66, 1, 44, 16}, "再生レート");
    PSTBar2_3 = label(bar, "PSTBar2_3", "", {112, 1, 145, 16});
    resize(259, 187);
}

void MusicPanel::resizeEvent(QResizeEvent*) {
    // The list panel follows the panel's width, less its left offset on both sides.
    PanelFN->setGeometry(kListLeft, PanelFN->y(), width() - 2 * kListLeft, PanelFN->height());
    if (auto* bar = findChild<QFrame*>(QStringLiteral("PSTBar2"))) bar->resize(width(), bar->height());
}

void MusicPanel::setBigFont(bool on) {
    for (QListWidget* list : {ListBox3, ListBoxFNF}) {
        if (on) {
            QFont big = font();
            big.setPointSize(12);
            list->setFont(big);
        } else {
            list->setFont(QFont());  // nothing set of its own: the panel's font again
        }
    }
}

}  // namespace sondex
