#include "cd/CdControlPanel.h"

#include "ui/controls/Placing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace sondex {

CdControlPanel::CdControlPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("PanelCD"));
    using namespace build;
    Label6 = label(this, "Label6", "D:", {4, 3, 28, 18}, "CDドライブ");
    Label3 = label(this, "Label3", "1-1", {34, 3, 40, 18}, "トラック");
    Label4 = label(this, "Label4", "1", {76, 3, 24, 18}, "トラック番号");
    Label5 = label(this, "Label5", "00:00:00", {102, 3, 76, 18}, "トラック再生時間");
    Button35 = button(this, "Button35", "vol", {192, 0, 36, 23}, "右クリックで、再録ボリューム表示");
    Button7 = button(this, "Button7", "><", {230, 0, 33, 23}, "画面の高さ切り替え");

    Label2 = label(this, "Label2", "00:00:00", {4, 24, 104, 26}, "現在の再生時間");
    QFont big = Label2->font();
    big.setPixelSize(20);
    big.setBold(true);
    Label2->setFont(big);
    Label1 = label(this, "Label1", "00:00:00", {110, 29, 76, 18}, "再生停止時間");
    Label1->setAutoFillBackground(true);
    ButtonTRAY = button(this, "ButtonTRAY", "Tray", {192, 25, 71, 23}, "タスクトレイに常駐する");

    Label7 = label(this, "Label7", "登録ﾘｽﾄ：", {4, 55, 62, 18});
    ComboBox1 = comboBox(this, "ComboBox1", {66, 52, 197, 23}, "再生ドライブ名：トラック番号");

    CheckBox1 = checkBox(this, "CheckBox1", "録音", {4, 79, 56, 22}, "CD同期録音");
    Button12 = button(this, "Button12", "再生／録音", {60, 78, 100, 24});
    CheckBox2 = checkBox(this, "CheckBox2", "全リピート", {164, 79, 99, 22});
    CheckBox2->setAutoFillBackground(true);

    PanelCDPOS = panel(this, "PanelCDPOS", {4, 78, 259, 24});
    PanelCDPOS->setAutoFillBackground(true);
    SpinButton1 = spinButton(PanelCDPOS, "SpinButton1", {0, 0, 16, 24}, "±６０秒");
    SpinButton2 = spinButton(PanelCDPOS, "SpinButton2", {18, 0, 16, 24}, "±１秒");
    SpinButton3 = spinButton(PanelCDPOS, "SpinButton3", {36, 0, 16, 24}, "±１／１００秒");
    ButtonCDPOSINI = button(PanelCDPOS, "ButtonCDPOSINI", "*", {54, 0, 24, 24}, "初期値に戻す");
    PanelCDPOS->hide();

    Panel1 = panel(this, "Panel1", {4, 104, 259, 26});
    Button17 = button(Panel1, "Button17", "再開", {0, 0, 70, 26});
    Button13 = button(Panel1, "Button13", "一時停止", {0, 0, 70, 26});
    Button14 = button(Panel1, "Button14", "BS", {72, 0, 58, 26});
    Button15 = button(Panel1, "Button15", "Skip", {132, 0, 58, 26});
    Button16 = button(Panel1, "Button16", "停止", {192, 0, 67, 26});
    Panel1->hide();  // the play controls show while a CD plays

    Label8 = label(this, "Label8", "", {0, 0, 0, 0});
    Label8->hide();
    setGeometry(0, 20, 267, 132);
}

}  // namespace sondex
