#pragma once

#include "files/FolderWalk.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;

namespace sondex {

class DialogHost;
class TMKBoxDlg;

// The folder browser " フォルダーの参照": drives, the folders on the way to
// the current one and its subfolders, and the files there that match the
// masks. "設定" returns the folder shown, "中止" nothing.
class TDIRVIEWForm : public QDialog {
    Q_OBJECT
public:
    TDIRVIEWForm(DialogHost& host, const QString& title, const QString& startFolder,
                 bool standardColor, QList<DiskVolume> drives, QWidget* parent);

    // The folder shown, as a path.
    QString folder() const;
    TMKBoxDlg& messages() { return *messages_; }
    // Masks of the file list, separated by ";" ("*.*" at first).
    void setMask(const QString& masks);

    void ComboBox2Change();
    void ListBox1Click();
    void Button1Click();  // 設定
    void Button2Click();  // 中止

private:
    void move(FolderWalk::Outcome outcome);
    void showFolder();

    DialogHost& host_;
    FolderWalk walk_;
    QString masks_ = QStringLiteral("*.*");
    QComboBox* comboBox2_;
    QListWidget* listBox1_;
    QListWidget* listBox4_;
    QLabel* label1_;
    QLabel* label19_;
    QLabel* label2_;
    TMKBoxDlg* messages_;
};

}  // namespace sondex
