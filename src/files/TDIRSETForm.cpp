#include "files/TDIRSETForm.h"

#include "files/FolderPaths.h"
#include "files/TDIROPENDLG.h"
#include "platform/AppPaths.h"
#include "ui/controls/Placing.h"
#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sondex {

namespace {

QString bracketed(const QString& folder, const char* message) {
    return QStringLiteral("[ ") + folder + QStringLiteral(" ]\n") + QString::fromUtf8(message);
}

}  // namespace

TDIRSETForm::TDIRSETForm(DialogHost& host, const QString& title, const QString& dirName,
                         const QString& folder, bool standardColor, QWidget* parent)
    : QDialog(parent),
      host_(host),
      dirName_(dirName),
      standardColor_(standardColor),
      working_(folders::meansNoFolder(folder) ? QString() : folder),
      edit1_(new QLineEdit(this)),
      messages_(new TMKBoxDlg(host, this)) {
    setObjectName(QStringLiteral("TDIRSETForm"));
    setToolTip(QStringLiteral("設定されたフォルダーでは、ファイルの削除／上書きが実行されます　十分注意して設定してね☆"));
    using namespace build;
    label(this, "Label1", "", {8, 8, 344, 18})->setText(dirName + QStringLiteral("ﾌｫﾙﾀﾞｰの設定："));
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setToolTip(QStringLiteral("設定フォルダー名"));
    edit1_->setGeometry(8, 28, 344, 24);
    edit1_->setText(working_.isEmpty() ? folders::defaultFolder(dirName) : working_);
    label(this, "Label2", "", {8, 58, 120, 18})->setText(dirName + QStringLiteral("ﾌｫﾙﾀﾞｰでは"));
    label(this, "Label3", "ﾌｧｲﾙの上書き削除をします", {130, 58, 222, 18});
    label(this, "Label4", "ﾌｧｲﾙの無いﾌｫﾙﾀﾞｰを選ぶ事", {130, 76, 222, 18});
    QPushButton* ok = button(this, "Button4", "設定", {8, 102, 80, 26});
    ok->setDefault(true);
    button(this, "Button3", "中止", {94, 102, 80, 26});
    button(this, "Button2", "参照", {180, 102, 80, 26});
    button(this, "Button1", "初期値", {266, 102, 86, 26});
    setFixedSize(360, 136);

    connect(ok, &QPushButton::clicked, this, &TDIRSETForm::Button4Click);
    connect(findChild<QPushButton*>(QStringLiteral("Button3")), &QPushButton::clicked, this,
            &TDIRSETForm::Button3Click);
    connect(findChild<QPushButton*>(QStringLiteral("Button2")), &QPushButton::clicked, this,
            &TDIRSETForm::Button2Click);
    connect(findChild<QPushButton*>(QStringLiteral("Button1")), &QPushButton::clicked, this,
            &TDIRSETForm::Button1Click);

    if (!standardColor) {
        QPalette p = edit1_->palette();
        p.setColor(QPalette::Base, host.backgroundColour());
        edit1_->setPalette(p);
    }
    QPalette colours = palette();
    colours.setColor(QPalette::Window, host.backgroundColour());
    colours.setColor(QPalette::WindowText, host.textColour());
    setPalette(colours);

    const QString shownTitle = title.isEmpty() ? host.programTitle() : title;
    dressDialog(*this, shownTitle + QStringLiteral("フォルダーの設定変更"), host);
    messages_->setTitle(shownTitle);
    messages_->setSourceHandle(this);
}

bool TDIRSETForm::createMissing(const QString& path) {
    bool asked = false;
    for (const QString& folder : folders::cumulativeFolders(path)) {
        if (QDir(folder).exists()) continue;
        if (!asked) {
            asked = true;
            if (messages_->MsgBoxYN(path + QStringLiteral("\nフォルダーを作成します")) != BoxAnswer::Yes) return false;
        }
        if (!QDir().mkdir(folder) || !QDir(folder).exists()) {
            messages_->TMMsgBox(bracketed(folder, "フォルダーの作成に失敗しました・・・"), BoxAnswer::Ok);
            return false;
        }
    }
    return true;
}

void TDIRSETForm::Button4Click() {
    const QString text = edit1_->text().trimmed();
    if (text.isEmpty()) {
        messages_->TMMsgBox(QStringLiteral("フォルダーを設定して下さい。"), BoxAnswer::Ok);
        return;
    }
    const QString path = folders::fullFolderPath(text);
    if (!createMissing(path)) return;
    const QString folder = paths::withTrailingSlash(folders::cumulativeFolders(path).constLast());
    if (folders::meansNoFolder(folder)) {
        messages_->TMMsgBox(bracketed(folder, "データが不正です"), BoxAnswer::Ok);
        return;
    }
    working_ = folder;
    messages_->TMMsgBox(bracketed(folder, "フォルダーを登録しました"), BoxAnswer::Ok);
    done(QDialog::Accepted);
}

void TDIRSETForm::Button3Click() {
    messages_->TMMsgBox(QStringLiteral("変更を中止します"), BoxAnswer::Ok);
    if (mayClose()) done(QDialog::Rejected);
}

void TDIRSETForm::Button1Click() {
    edit1_->setText(folders::defaultFolder(dirName_));
    edit1_->setFocus();
}

void TDIRSETForm::Button2Click() {
    TDIROPENDLG browser(host_);
    browser.setTitle(messages_->title());
    browser.setSourceHandle(this);
    browser.setStandardColor(standardColor_);
    browser.setDirectory(edit1_->text());
    if (browser.Execute()) edit1_->setText(browser.directory());
    edit1_->setFocus();
    QCoreApplication::processEvents();
}

bool TDIRSETForm::mayClose() {
    if (!folders::meansNoFolder(working_)) return true;
    messages_->TMMsgBox(QStringLiteral("データを登録しないと終了出来ません\n初期値を登録して下さい☆☆☆"), BoxAnswer::Ok);
    return false;
}

void TDIRSETForm::reject() {
    if (mayClose()) QDialog::reject();
}

void TDIRSETForm::closeEvent(QCloseEvent* event) {
    if (mayClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace sondex
