#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;

namespace sondex {

class DialogHost;
class TMKBoxDlg;

// What the rename window starts from and leaves behind for the next file:
// the extension change's filter and new extension, the modes, the archive
// name shown in place of the folder, and the numbered name's base, next
// number and digits.
struct RenameBoxSettings {
    QString oldExtension;  // the filter; empty takes every file
    QString newExtension;
    bool autoRename0 = false;  // the mode buttons are hidden: an automatic mode is on
    bool autoRename1 = false;  // the numbered-name fields are hidden
    QString lzh;
    QString autoName;
    int autoNo = 0;
    int digits = 3;
};

// The rename window for one file: a new name typed, derived as a numbered
// name, or by changing the extension. It renames on ＯＫ and closes with
// 1 done, 2 skip this file (飛ばす), 3 stop the batch (中 断, also the
// window's close button and Esc).
class TRENAMEBox : public QDialog {
    Q_OBJECT
public:
    enum Result { Done = 1, Skipped = 2, Stopped = 3 };

    // `path` is the file's full path; `proposed` the name first shown (the
    // old name when empty). `standardColor` keeps the edit fields in the
    // standard colour, otherwise they take the window's.
    TRENAMEBox(DialogHost& host, const QString& path, const QString& proposed,
               const RenameBoxSettings& settings, bool standardColor, QWidget* parent);

    // The full path after the rename; empty until one succeeded.
    QString resultPath() const { return resultPath_; }
    // The settings as the window leaves them (fields that are empty or no
    // number keep the earlier value); after a rename in numbered-name mode the
    // number has moved on.
    RenameBoxSettings settingsAfter(const RenameBoxSettings& before) const;
    TMKBoxDlg& messages() { return *messages_; }

    void Button1Click();          // ＯＫ
    void Button3Click();          // 初期値
    void Button5Click();          // 変更: the extension
    void Btn_Auto_NameClick();    // 変更: the numbered name
    void ColorBtn1Click();        // 自動ﾌｧｲﾙ名
    void ButtonAuto_KakuClick();  // 自動拡張子
    void ColorBtn2Click();        // *
    void Label1Click();           // 指定

    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void build();
    void fill(const QString& proposed, const RenameBoxSettings& settings);
    void fitLongNames();
    bool numberedMode() const;
    bool extensionMode() const;
    void applyExtension();
    void applyNumberedName();

    DialogHost& host_;
    bool standardColor_;
    QString folder_;
    QString oldName_;
    QString firstName_;
    QString resultPath_;
    bool filling_ = true;
    bool extensionRunning_ = false;
    bool numberRunning_ = false;
    QLabel* Msg_ = nullptr;
    QLabel* LabelOldName_ = nullptr;
    QLabel* LabelLZH_ = nullptr;
    QLabel* LabelLZH_Name_ = nullptr;
    QLineEdit* EditNewName_ = nullptr;
    QLineEdit* Edit1_ = nullptr;
    QLineEdit* Edit2_ = nullptr;
    QLineEdit* Edit_Auto_Name_ = nullptr;
    QLineEdit* Edit_Auto_No_ = nullptr;
    QLineEdit* Edit_KETA_ = nullptr;
    QFrame* Panel_Auto_Set_ = nullptr;
    QFrame* Panel_AutoName_ = nullptr;
    TMKBoxDlg* messages_;
};

}  // namespace sondex
