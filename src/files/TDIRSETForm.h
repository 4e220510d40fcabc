#pragma once

#include <QDialog>

class QLineEdit;

namespace sondex {

class DialogHost;
class TMKBoxDlg;

// The folder window "フォルダーの設定変更": register a folder (creating the
// missing ones after one question), give up, the default, or browse. While no
// folder is set it cannot be left except by registering one.
class TDIRSETForm : public QDialog {
    Q_OBJECT
public:
    TDIRSETForm(DialogHost& host, const QString& title, const QString& dirName, const QString& folder,
                bool standardColor, QWidget* parent);

    // The folder registered, or the one the window started with.
    QString workingFolder() const { return working_; }
    TMKBoxDlg& messages() { return *messages_; }

    void Button4Click();  // 設定
    void Button3Click();  // 中止
    void Button1Click();  // 初期値
    void Button2Click();  // 参照

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool mayClose();
    bool createMissing(const QString& path);

    DialogHost& host_;
    QString dirName_;
    bool standardColor_;
    QString working_;
    QLineEdit* edit1_;
    TMKBoxDlg* messages_;
};

}  // namespace sondex
