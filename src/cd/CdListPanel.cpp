#include "cd/CdListPanel.h"

#include "cd/CdLists.h"
#include "ui/controls/Placing.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

namespace sondex {

CdListPanel::CdListPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("PanelCDList"));
    using namespace build;
    Button10 = button(this, "Button10", "", {4, 2, 62, 23}, "登録リストを再生リストにする");
    Button10->setText(kRegisteredListCaption);
    Button11 = button(this, "Button11", "", {68, 2, 62, 23}, "サーチリストを再生リストにする");
    Button11->setText(kSearchListCaption);
    Button8 = button(this, "Button8", "全CDｻｰﾁ", {136, 2, 62, 23}, "右クリックで、サーチ方法の選択");
    Button9 = button(this, "Button9", "1CDｻｰﾁ", {200, 2, 63, 23}, "右クリックで、サーチ方法の選択");

    ListBox1 = listBox(this, "ListBox1", {8, 28, 108, 183}, "登録リスト一覧");
    Button2 = button(this, "Button2", "<<全コピー", {118, 28, 64, 23});
    Button3 = button(this, "Button3", "<選択ｺﾋﾟｰ", {118, 53, 64, 23});
    Button_DEL = button(this, "Button_DEL", ">削除", {118, 78, 64, 23});
    Button_ALLDEL = button(this, "Button_ALLDEL", "ALL", {118, 103, 64, 23});
    Button5 = button(this, "Button5", "<上移動", {118, 128, 64, 23});
    Button6 = button(this, "Button6", "<下移動", {118, 153, 64, 23});
    ComboBox2 = comboBox(this, "ComboBox2", {184, 28, 79, 23}, "ＣＤＤＡ再生対象ドライブの選択／表示");
    ListBox2 = listBox(this, "ListBox2", {184, 53, 79, 158}, "サーチリスト一覧");
    // The drive list for the free-space reports; never shown.
    ListBoxSZ = listBox(this, "ListBoxSZ", {0, 0, 0, 0});
    ListBoxSZ->hide();
    setGeometry(0, 152, 267, 219);
}

}  // namespace sondex
