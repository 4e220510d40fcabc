#include "shell/SetupWindow.h"

#include "ui/Notifier.h"
#include "platform/AppPaths.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace sondex {

namespace {

const QString kDefaultGroup = QStringLiteral("TAVIK SOFT32");
constexpr int kRemovalStartMs = 500;    // Timer1
constexpr int kRefusalStartMs = 1000;   // TimerErOut

QString switchText(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

}  // namespace

SetupWindow::SetupWindow(const Identity& identity, RunMode mode, SettingsStore& store,
                         Notifier& notifier, QWidget* parent)
    : QWidget(parent), identity_(identity), mode_(mode), store_(store), notifier_(notifier) {
    setObjectName(QStringLiteral("TSONDEX_SETUPFM"));
    if (mode_ == RunMode::Normal) {
        buildInstallPage();
        setWindowTitle(displayTitle() + QStringLiteral(" 登録"));
        return;
    }
    setWindowTitle(displayTitle() + QStringLiteral(" 削除"));
    QTimer::singleShot(mode_ == RunMode::UninstallRefused ? kRefusalStartMs : kRemovalStartMs, this,
                       &SetupWindow::startRemoval);
}

QString SetupWindow::displayTitle() const {
    return identity_.AppTitle + QStringLiteral(" V") + QString::number(identity_.ExpectedVersion / 10) +
           QStringLiteral("．") + QString::number(identity_.ExpectedVersion % 10);
}

QString SetupWindow::defaultInstallFolder() {
    return paths::homeFolder() + QStringLiteral("/TAVIKP32/SONDEX");
}

void SetupWindow::buildInstallPage() {
    const QStringList stored = store_.readTexts({QStringLiteral("BackColor"), QStringLiteral("TAVIK_COLOR"),
                                                 QStringLiteral("EXEPATH"), QStringLiteral("Group")});
    auto* layout = new QGridLayout(this);
    auto* label1 = new QLabel(QStringLiteral("sondex を置くフォルダーの設定："), this);
    label1->setObjectName(QStringLiteral("Label1"));
    edit1_ = new QLineEdit(stored[2].isEmpty() ? defaultInstallFolder() : stored[2], this);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    auto* label2 = new QLabel(QStringLiteral("sondex を登録するグループの選択："), this);
    label2->setObjectName(QStringLiteral("Label2"));
    comboBox1_ = new QComboBox(this);
    comboBox1_->setObjectName(QStringLiteral("ComboBox1"));
    comboBox1_->setEditable(true);
    comboBox1_->addItem(kDefaultGroup);
    if (!stored[3].isEmpty() && stored[3] != kDefaultGroup) comboBox1_->addItem(stored[3]);
    comboBox1_->setCurrentText(stored[3].isEmpty() ? kDefaultGroup : stored[3]);
    // A missing colour value reads as 0, as the older versions did.
    standardColour_ = new QCheckBox(QStringLiteral("標準色"), this);
    standardColour_->setChecked(stored[0].toInt() != 0);
    tavikColour_ = new QCheckBox(QStringLiteral("TAVIK色"), this);
    tavikColour_->setChecked(stored[1].toInt() != 0);
    tavikColour_->hide();
    auto* defaults = new QPushButton(QStringLiteral("初期値"), this);
    defaults->setObjectName(QStringLiteral("Button4"));
    button3_ = new QPushButton(QStringLiteral("設定"), this);
    button3_->setObjectName(QStringLiteral("Button3"));
    auto* cancel = new QPushButton(QStringLiteral("中止"), this);
    cancel->setObjectName(QStringLiteral("Button2"));

    layout->addWidget(label1, 0, 0, 1, 3);
    layout->addWidget(edit1_, 1, 0, 1, 2);
    layout->addWidget(defaults, 1, 2);
    layout->addWidget(label2, 2, 0, 1, 3);
    layout->addWidget(comboBox1_, 3, 0, 1, 3);
    layout->addWidget(standardColour_, 4, 0);
    layout->addWidget(button3_, 5, 1);
    layout->addWidget(cancel, 5, 2);

    connect(defaults, &QPushButton::clicked, this, [this] { edit1_->setText(defaultInstallFolder()); });
    connect(button3_, &QPushButton::clicked, this, &SetupWindow::install);
    connect(cancel, &QPushButton::clicked, this, &SetupWindow::giveUp);
}

void SetupWindow::install() {
    const QString group = comboBox1_->currentText().trimmed();
    const QString folder = paths::expandHome(edit1_->text().trimmed());
    if (group.isEmpty()) {
        QApplication::beep();
        notifier_.notice(this, windowTitle(), QStringLiteral("グループ名を設定して下さい。"));
        return;
    }
    if (folder.isEmpty()) {
        QApplication::beep();
        notifier_.notice(this, windowTitle(), QStringLiteral("フォルダーを設定して下さい。"));
        return;
    }
    if (!QDir::isAbsolutePath(folder)) {
        notifier_.notice(this, windowTitle(), QStringLiteral("[ ") + folder + QStringLiteral(" ]\nデータが不正です"));
        return;
    }
    if (!QDir().mkpath(folder)) {
        notifier_.notice(this, windowTitle(),
                         QStringLiteral("[ ") + folder + QStringLiteral(" ]\nフォルダーの作成に失敗しました・・・"));
        return;
    }
    const bool written = store_.writeTexts({
        {QStringLiteral("EXEPATH"), paths::withoutTrailingSlash(folder)},
        {QStringLiteral("Group"), group},
        {QStringLiteral("Version"), QString::number(identity_.ExpectedVersion)},
        {QStringLiteral("BackColor"), switchText(standardColour_->isChecked())},
        {QStringLiteral("TAVIK_COLOR"), switchText(tavikColour_->isChecked())},
        {QStringLiteral("minihelp"), QStringLiteral("1")},
    });
    if (!written) {
        notifier_.notice(this, windowTitle(), QStringLiteral("設定ファイルに書き込めませんでした・・・"));
        return;
    }
    notifier_.notice(this, windowTitle(),
                     QStringLiteral("登録完了です。\n\n[ ") + group +
                         QStringLiteral(" ]\nグループに登録しました☆☆\nお疲れ様☆☆"));
    finish();
}

void SetupWindow::giveUp() {
    notifier_.notice(this, windowTitle(), QStringLiteral("登録を中止します。"));
    finish();
}

void SetupWindow::startRemoval() {
    if (mode_ == RunMode::UninstallRefused) {
        notifier_.notice(this, windowTitle(),
                         QStringLiteral("削除エラー：ソフトが起動中です。\n終了しないと削除出来ません。"));
    } else {
        notifier_.notice(this, windowTitle(),
                         QStringLiteral("この版では、まだ削除は出来ません。\n削除の機能は次の版で用意します。"));
    }
    finish();
}

void SetupWindow::finish() {
    close();
    emit finished();
}

}  // namespace sondex
