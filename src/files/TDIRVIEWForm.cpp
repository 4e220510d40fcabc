#include "files/TDIRVIEWForm.h"

#include "files/BrowserParts.h"
#include "files/BrowserTexts.h"
#include "ui/controls/Placing.h"
#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace sondex {

TDIRVIEWForm::TDIRVIEWForm(DialogHost& host, const QString& title, const QString& startFolder,
                           bool standardColor, QList<DiskVolume> drives, QWidget* parent)
    : QDialog(parent), host_(host), walk_(std::move(drives)), messages_(new TMKBoxDlg(host, this)) {
    setObjectName(QStringLiteral("TDIRVIEWForm"));
    using namespace build;
    comboBox2_ = comboBox(this, "ComboBox2", {8, 8, 240, 24}, "ドライブの選択");
    listBox1_ = listBox(this, "ListBox1", {8, 38, 240, 220}, "フォルダーの選択");
    listBox4_ = listBox(this, "ListBox4", {256, 38, 196, 220}, "フォルダーに存在するファイル");
    label(this, "Label3", "ﾌｧｲﾙ数", {256, 10, 50, 18});
    label1_ = label(this, "Label1", "---ｺ", {306, 10, 60, 18});
    label(this, "Label4", "ﾌｫﾙﾀﾞｰ数", {372, 10, 56, 18});
    label19_ = label(this, "Label19", "", {428, 10, 30, 18});
    label2_ = label(this, "Label2", "", {8, 264, 444, 18}, "設定フォルダー名");
    QPushButton* ok = button(this, "Button1", "設定", {284, 288, 80, 26});
    ok->setDefault(true);
    QPushButton* cancel = button(this, "Button2", "中止", {372, 288, 80, 26});
    setFixedSize(460, 322);

    connect(comboBox2_, &QComboBox::activated, this, &TDIRVIEWForm::ComboBox2Change);
    connect(listBox1_, &QListWidget::itemClicked, this, &TDIRVIEWForm::ListBox1Click);
    connect(ok, &QPushButton::clicked, this, &TDIRVIEWForm::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &TDIRVIEWForm::Button2Click);

    const QString shownTitle = title.isEmpty() ? host.programTitle() : title;
    dressDialog(*this, shownTitle + QStringLiteral(" フォルダーの参照"), host);
    wearHostColours(*this, host);
    browserparts::colourFields(*this, standardColor, host);
    messages_->setTitle(shownTitle);
    messages_->setSourceHandle(this);

    const FolderWalk::Outcome started = walk_.start(QFile::encodeName(startFolder));
    browserparts::fillDriveBox(*comboBox2_, walk_);
    // Trouble at the start is told once the window is up.
    if (started != FolderWalk::Outcome::Moved)
        QMetaObject::invokeMethod(
            this, [this, started] { move(started); }, Qt::QueuedConnection);
    showFolder();
}

QString TDIRVIEWForm::folder() const {
    return listing::shownName(walk_.folder());
}

void TDIRVIEWForm::setMask(const QString& masks) {
    masks_ = masks;
    showFolder();
}

void TDIRVIEWForm::move(FolderWalk::Outcome outcome) {
    browserparts::reportTrouble(*messages_, outcome);
    browserparts::fillDriveBox(*comboBox2_, walk_);
    showFolder();
}

void TDIRVIEWForm::showFolder() {
    label1_->setText(QStringLiteral("---ｺ"));
    const listing::FolderListing read = walk_.read();
    label19_->setText(QString::number(browserparts::fillFolderList(*listBox1_, walk_, read)));
    listBox4_->clear();
    for (const listing::FolderEntry& entry : read.entries) {
        if (!entry.isFolder && browsing::matchesMasks(entry.shown, masks_))
            listBox4_->addItem(entry.shown);
    }
    listBox4_->sortItems();
    label1_->setText(QString::number(listBox4_->count()) + QStringLiteral("ｺ"));
    label2_->setText(folder());
}

void TDIRVIEWForm::ComboBox2Change() {
    move(walk_.chooseDrive(comboBox2_->currentIndex()));
}

void TDIRVIEWForm::ListBox1Click() {
    const QListWidgetItem* row = listBox1_->currentItem();
    if (row == nullptr) return;
    move(walk_.enter(row->data(Qt::UserRole).toByteArray()));
}

void TDIRVIEWForm::Button1Click() {
    // The folder may have gone since it was shown; "設定" returns only one that can be read.
    if (browserparts::reportTrouble(*messages_, walk_.recheck())) {
        move(FolderWalk::Outcome::Moved);
        return;
    }
    accept();
}

void TDIRVIEWForm::Button2Click() {
    reject();
}

}  // namespace sondex
