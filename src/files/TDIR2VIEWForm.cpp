#include "files/TDIR2VIEWForm.h"

#include "files/BrowserParts.h"
#include "ui/controls/Placing.h"
#include "ui/dialogs/DialogFrame.h"
#include "ui/dialogs/DialogHost.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace sondex {

namespace {

enum Column { Name, Size, Kind, Date, Attributes };

constexpr int kPathRole = Qt::UserRole;
constexpr int kSortRole = Qt::UserRole + 1;

// Rows sort by a key of their own in each column: sizes and dates by value, not by text.
class FileRow : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant mine = data(column, kSortRole);
        const QVariant theirs = other.data(column, kSortRole);
        if (mine.typeId() == QMetaType::LongLong && theirs.typeId() == QMetaType::LongLong)
            return mine.toLongLong() < theirs.toLongLong();
        return text(column).localeAwareCompare(other.text(column)) < 0;
    }
};

QString attributesText(const listing::FolderEntry& entry) {
    QString marks;
    if (entry.readOnly) marks += u'R';
    if (entry.hidden) marks += u'H';
    if (entry.isLink) marks += u'L';
    return marks;
}

bool isPlainName(const QByteArray& name) {
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
           !name.contains('\0');
}

}  // namespace

TDIR2VIEWForm::TDIR2VIEWForm(DialogHost& host, const QString& title, const QString& captionSuffix,
                             const QString& startFolder, const QString& filter, bool standardColor,
                             QList<DiskVolume> drives, QWidget* parent)
    : QDialog(parent),
      host_(host),
      walk_(std::move(drives)),
      filters_(browsing::parseFilter(filter)),
      messages_(new TMKBoxDlg(host, this)) {
    setObjectName(QStringLiteral("TDIR2VIEWForm"));
    using namespace build;
    comboBox2_ = comboBox(this, "ComboBox2", {8, 8, 200, 24}, "ドライブの選択");
    comboBoxKaku_ = comboBox(this, "ComboBox_KAKU", {214, 8, 310, 24}, "ファイルフィルター");
    for (const browsing::FilterChoice& choice : filters_) comboBoxKaku_->addItem(choice.shown());
    QPushButton* nf = button(this, "Button_NF", "NF", {530, 8, 38, 24});
    QPushButton* df = button(this, "Button_DF", "DF", {572, 8, 38, 24});
    QPushButton* bf = button(this, "Button_BF", "BF", {614, 8, 38, 24});
    hf_ = button(this, "Button_HF", "HF", {656, 8, 36, 24});
    header_ = button(this, "HeaderControl1", "フォルダー", {8, 38, 200, 20});
    header_->setFlat(true);
    listBox1_ = listBox(this, "ListBox1", {8, 58, 200, 272});
    treeView1_ = new QTreeWidget(this);
    treeView1_->setObjectName(QStringLiteral("TreeView1"));
    treeView1_->setGeometry(8, 58, 200, 272);
    treeView1_->setHeaderHidden(true);
    treeView1_->hide();

    listView1_ = new QTreeWidget(this);
    listView1_->setObjectName(QStringLiteral("ListView1"));
    listView1_->setGeometry(214, 38, 478, 292);
    listView1_->setRootIsDecorated(false);
    listView1_->setSelectionMode(QAbstractItemView::SingleSelection);
    listView1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView1_->setHeaderLabels({QStringLiteral("ファイル名"), QStringLiteral("サイズ"),
                                 QStringLiteral("種類"), QStringLiteral("日付"),
                                 QStringLiteral("属性")});
    listView1_->headerItem()->setTextAlignment(Size, Qt::AlignRight | Qt::AlignVCenter);
    listView1_->headerItem()->setTextAlignment(Date, Qt::AlignRight | Qt::AlignVCenter);
    listView1_->header()->setSectionsClickable(true);
    listView1_->header()->setStretchLastSection(false);
    const int width = listView1_->width();
    const int divisors[] = {3, 5, 9, 3, 9};
    for (int column = Name; column <= Attributes; ++column)
        listView1_->setColumnWidth(column, width / divisors[column] - 4);

    label(this, "Label1", "フォルダー", {8, 338, 60, 18});
    editFolder_ = new QLineEdit(this);
    editFolder_->setObjectName(QStringLiteral("Edit_Folder"));
    editFolder_->setGeometry(70, 336, 622, 24);
    QPushButton* ok = button(this, "Button1", "設定", {524, 366, 80, 26});
    ok->setDefault(true);
    QPushButton* cancel = button(this, "Button2", "キャンセル", {612, 366, 80, 26});
    setFixedSize(700, 400);

    connect(comboBox2_, &QComboBox::activated, this, &TDIR2VIEWForm::ComboBox2Change);
    connect(comboBoxKaku_, &QComboBox::activated, this, &TDIR2VIEWForm::ComboBox_KAKUChange);
    connect(nf, &QPushButton::clicked, this, &TDIR2VIEWForm::NFClick);
    connect(df, &QPushButton::clicked, this, &TDIR2VIEWForm::DFClick);
    connect(bf, &QPushButton::clicked, this, &TDIR2VIEWForm::BFClick);
    connect(hf_, &QPushButton::clicked, this, &TDIR2VIEWForm::HFClick);
    connect(header_, &QPushButton::clicked, this, &TDIR2VIEWForm::HeaderClick);
    connect(listBox1_, &QListWidget::itemClicked, this, &TDIR2VIEWForm::ListBox1Click);
    connect(treeView1_, &QTreeWidget::itemClicked, this, &TDIR2VIEWForm::TreeView1Click);
    connect(treeView1_, &QTreeWidget::itemExpanded, this, &TDIR2VIEWForm::expandTreeItem);
    connect(listView1_->header(), &QHeaderView::sectionClicked, this,
            &TDIR2VIEWForm::ListView1ColumnClick);
    connect(ok, &QPushButton::clicked, this, &TDIR2VIEWForm::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &TDIR2VIEWForm::Button2Click);

    const QString shownTitle = title.isEmpty() ? host.programTitle() : title;
    dressDialog(*this,
                shownTitle + QStringLiteral(" フォルダーの参照 ") +
                    (captionSuffix.isEmpty() ? QStringLiteral("フォルダーの選択") : captionSuffix),
                host);
    wearHostColours(*this, host);
    browserparts::colourFields(*this, standardColor, host);
    messages_->setTitle(shownTitle);
    messages_->setSourceHandle(this);

    const FolderWalk::Outcome started = walk_.start(QFile::encodeName(startFolder));
    if (started != FolderWalk::Outcome::Moved)
        QMetaObject::invokeMethod(
            this, [this, started] { move(started); }, Qt::QueuedConnection);
    move(FolderWalk::Outcome::Moved);
}

QString TDIR2VIEWForm::chosenFolder() const {
    QString text = editFolder_->text();
    while (text.size() > 1 && text.endsWith(u'/')) text.chop(1);
    return text;
}

void TDIR2VIEWForm::move(FolderWalk::Outcome outcome, bool remember) {
    browserparts::reportTrouble(*messages_, outcome);
    if (remember && (history_.isEmpty() || history_.constLast() != walk_.folder()))
        history_.append(walk_.folder());
    hf_->setEnabled(history_.size() >= 2);
    browserparts::fillDriveBox(*comboBox2_, walk_);
    showFolder();
}

void TDIR2VIEWForm::showFolder() {
    const listing::FolderListing read = walk_.read();
    if (!treeView1_->isHidden()) {
        showTree();
    } else {
        browserparts::fillFolderList(*listBox1_, walk_, read);
    }
    showFiles(read);
    editFolder_->setText(listing::shownName(walk_.folder()));
}

void TDIR2VIEWForm::showFiles(const listing::FolderListing& read) {
    const QString mask = filters_.value(comboBoxKaku_->currentIndex()).mask;
    listView1_->setSortingEnabled(false);
    listView1_->clear();
    for (const listing::FolderEntry& entry : read.entries) {
        if (entry.isFolder || !browsing::matchesMasks(entry.shown, mask)) continue;
        auto* row = new FileRow(listView1_);
        row->setText(Name, entry.shown);
        row->setData(Name, kPathRole, listing::joinPath(walk_.folder(), entry.name));
        row->setText(Size, browsing::sizeText(entry.size));
        row->setData(Size, kSortRole, entry.size);
        row->setTextAlignment(Size, Qt::AlignRight | Qt::AlignVCenter);
        row->setText(Kind, browsing::kindText(entry.shown));
        row->setText(Date, browsing::dateText(entry.modified));
        row->setData(Date, kSortRole, entry.modified.toMSecsSinceEpoch());
        row->setTextAlignment(Date, Qt::AlignRight | Qt::AlignVCenter);
        row->setText(Attributes, attributesText(entry));
    }
    listView1_->sortItems(sortColumn_, descending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
}

// The tree shows the drive's root and, opened one level at a time, the way
// down to the current folder; other folders open only when asked, so a link
// loop costs one level per click.
void TDIR2VIEWForm::showTree() {
    const QSignalBlocker quiet(treeView1_);
    treeView1_->clear();
    const QByteArray root = walk_.driveRoot();
    auto* item = new QTreeWidgetItem(treeView1_, {listing::shownName(root)});
    item->setIcon(0, browserparts::folderIcon(true));
    item->setData(0, kPathRole, root);
    const QByteArray target = walk_.folder();
    while (item != nullptr) {
        expandTreeItem(item);
        item->setExpanded(true);
        item->setIcon(0, browserparts::folderIcon(true));
        const QByteArray here = item->data(0, kPathRole).toByteArray();
        if (here == target) break;
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && next == nullptr; ++i) {
            const QByteArray child = item->child(i)->data(0, kPathRole).toByteArray();
            if (target == child || target.startsWith(QByteArray(child + '/')))
                next = item->child(i);
        }
        if (next == nullptr) break;
        item = next;
    }
    treeView1_->setCurrentItem(item);
    treeView1_->scrollToItem(item);
}

void TDIR2VIEWForm::expandTreeItem(QTreeWidgetItem* item) {
    if (item->childCount() > 0 && !item->child(0)->data(0, kPathRole).isValid())
        delete item->takeChild(0);
    if (item->childCount() > 0 || item->data(0, Qt::UserRole + 2).toBool()) return;
    item->setData(0, Qt::UserRole + 2, true);
    const QByteArray folder = item->data(0, kPathRole).toByteArray();
    QList<listing::FolderEntry> subfolders;
    for (const listing::FolderEntry& entry : listing::listFolder(folder).entries) {
        if (entry.isFolder) subfolders.append(entry);
    }
    std::sort(subfolders.begin(), subfolders.end(),
              [](const auto& a, const auto& b) { return a.shown.localeAwareCompare(b.shown) < 0; });
    for (const listing::FolderEntry& entry : subfolders) {
        auto* child = new QTreeWidgetItem(item, {entry.shown});
        child->setIcon(0, browserparts::folderIcon(false));
        child->setData(0, kPathRole, listing::joinPath(folder, entry.name));
        new QTreeWidgetItem(child);  // a placeholder, so that the folder can be opened
    }
}

void TDIR2VIEWForm::ComboBox2Change() {
    const FolderWalk::Outcome outcome = walk_.chooseDrive(comboBox2_->currentIndex());
    move(outcome);
}

void TDIR2VIEWForm::ComboBox_KAKUChange() {
    showFiles(walk_.read());
}

void TDIR2VIEWForm::HeaderClick() {
    const bool tree = treeView1_->isHidden();
    treeView1_->setVisible(tree);
    listBox1_->setVisible(!tree);
    showFolder();
}

void TDIR2VIEWForm::ListBox1Click() {
    if (const QListWidgetItem* row = listBox1_->currentItem())
        move(walk_.enter(row->data(kPathRole).toByteArray()));
}

void TDIR2VIEWForm::TreeView1Click(QTreeWidgetItem* item) {
    if (item != nullptr && item->data(0, kPathRole).isValid())
        move(walk_.enter(item->data(0, kPathRole).toByteArray()));
}

void TDIR2VIEWForm::ListView1ColumnClick(int column) {
    descending_ = column == sortColumn_ && !descending_;
    sortColumn_ = column;
    listView1_->sortItems(sortColumn_, descending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (QTreeWidgetItem* selected = listView1_->currentItem()) listView1_->scrollToItem(selected);
}

void TDIR2VIEWForm::NFClick() {
    QInputDialog ask(this);
    ask.setObjectName(QStringLiteral("NFInput"));
    ask.setWindowTitle(messages_->title());
    ask.setLabelText(QStringLiteral("新規作成フォルダー名を入力して下さい☆\n") +
                     browsing::promptFolder(listing::shownName(walk_.folder())));
    if (ask.exec() != QDialog::Accepted || ask.textValue().isEmpty()) return;
    const QByteArray name = ask.textValue().toUtf8();
    const QByteArray made = listing::joinPath(walk_.folder(), name);
    if (!isPlainName(name) || !listing::makeFolder(made) || !listing::isFolder(made)) {
        messages_->TMMsgBox(QStringLiteral("フォルダー作成エラー"), BoxAnswer::Ok);
        move(walk_.recheck());
        return;
    }
    move(walk_.enter(made));
}

void TDIR2VIEWForm::DFClick() {
    const QByteArray folder = walk_.folder();
    const QString shown = listing::shownName(folder);
    if (messages_->TMMsgBoxYN(QStringLiteral("このフォルダーを削除します☆\n") + shown,
                              BoxAnswer::No) != BoxAnswer::Yes)
        return;
    const bool atRoot = folder == walk_.driveRoot() || folder == "/";
    if (!atRoot) walk_.enter(listing::parentFolder(folder));
    if (atRoot || !listing::removeFolder(folder))
        messages_->TMMsgBox(QStringLiteral("フォルダーの削除に失敗しました・・・\n") + shown,
                            BoxAnswer::Ok);
    else
        history_.removeAll(folder);
    move(walk_.recheck());
}

void TDIR2VIEWForm::BFClick() {
    const QByteArray folder = walk_.folder();
    if (folder == walk_.driveRoot() || folder == "/") return;
    move(walk_.enter(listing::parentFolder(folder)));
}

void TDIR2VIEWForm::HFClick() {
    if (history_.size() < 2) return;
    history_.removeLast();
    const FolderWalk::Outcome outcome = walk_.enter(history_.constLast());
    if (walk_.folder() != history_.constLast()) history_.append(walk_.folder());
    move(outcome, false);
}

void TDIR2VIEWForm::Button1Click() {
    done(kChosen);
}

void TDIR2VIEWForm::Button2Click() {
    done(kCancelled);
}

}  // namespace sondex
