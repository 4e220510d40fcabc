#pragma once

#include "files/BrowserTexts.h"
#include "files/FolderWalk.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace sondex {

class DialogHost;
class TMKBoxDlg;

// The folder and file browser: drives and a file filter, folder creation and
// deletion, one level up and back, the folders as a flat list or a tree
// (switched by the "フォルダー" header), the current folder's files in five
// sortable columns, and the folder field. "設定" closes with 1 and the text
// of the field, "キャンセル" with 3.
class TDIR2VIEWForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kChosen = 1;
    static constexpr int kCancelled = 3;

    // The caption is the title (or the program's), " フォルダーの参照", a blank
    // and the suffix ("フォルダーの選択" when empty).
    TDIR2VIEWForm(DialogHost& host, const QString& title, const QString& captionSuffix,
                  const QString& startFolder, const QString& filter, bool standardColor,
                  QList<DiskVolume> drives, QWidget* parent);

    // The text of Edit_Folder without a trailing separator.
    QString chosenFolder() const;
    TMKBoxDlg& messages() { return *messages_; }

    void ComboBox2Change();
    void ComboBox_KAKUChange();
    void HeaderClick();
    void ListBox1Click();
    void TreeView1Click(QTreeWidgetItem* item);
    void ListView1ColumnClick(int column);
    void NFClick();
    void DFClick();
    void BFClick();
    void HFClick();
    void Button1Click();  // 設定
    void Button2Click();  // キャンセル

    void reject() override { done(kCancelled); }

private:
    void move(FolderWalk::Outcome outcome, bool remember = true);
    void showFolder();
    void showTree();
    void expandTreeItem(QTreeWidgetItem* item);
    void showFiles(const listing::FolderListing& read);

    DialogHost& host_;
    FolderWalk walk_;
    QList<QByteArray> history_;
    QList<browsing::FilterChoice> filters_;
    int sortColumn_ = 0;
    bool descending_ = false;
    QComboBox* comboBox2_;
    QComboBox* comboBoxKaku_;
    QPushButton* header_;
    QListWidget* listBox1_;
    QTreeWidget* treeView1_;
    QTreeWidget* listView1_;
    QLineEdit* editFolder_;
    QPushButton* hf_;
    TMKBoxDlg* messages_;
};

}  // namespace sondex
