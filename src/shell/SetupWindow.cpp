#include "shell/SetupWindow.h"

#include "platform/AppPaths.h"
#include "platform/DesktopEntries.h"
#include "platform/SettingsStore.h"
#include "platform/UninstallRecord.h"
#include "shell/ProgramShortcuts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace sondex {

namespace {

constexpr int kRemovalStartMs = 500;   // Timer1, Timer2
constexpr int kRefusalStartMs = 1000;  // TimerErOut

QString switchText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString bracketed(const QString& text, const char* message) {
    return QStringLiteral("[ ") + text + QStringLiteral(" ]\n") + QString::fromUtf8(message);
}

bool hasControlCharacter(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

QString firstExisting(const QStringList& candidates) {
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile()) return QFileInfo(candidate).canonicalFilePath();
    }
    return QString();
}

}  // namespace

SetupPlace SetupPlace::forThisProcess(const Identity& identity, const QStringList& arguments) {
    SetupPlace place;
    place.executable = QCoreApplication::applicationFilePath();
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& companion :
         {firstExisting({dir + QStringLiteral("/SONDEX.html"),
                         dir + QStringLiteral("/../share/sondex/SONDEX.html")}),
          firstExisting({dir + QStringLiteral("/README.md"),
                         dir + QStringLiteral("/../share/doc/sondex/README.md")})}) {
        if (!companion.isEmpty()) place.companions.append(companion);
    }
    place.arguments = arguments;
    place.packaged = place.executable.startsWith(QStringLiteral("/usr/"));
    if (place.packaged) place.packageEntry = packageMenuEntry();
    place.recordPath = ProgramShortcuts::recordPathFor(identity.ProductKey);
    place.handOverPath = paths::configFolder() + QStringLiteral("Unin_TAVIK SOFT32.ini");
    place.uninstallerCopy = paths::configFolder() + identity.UninstallerName;
    place.dataFolder = identity.ProgramFolder;
    place.settingsPath = paths::settingsFile();
    place.startDetached = [](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args, paths::homeFolder());
    };
    return place;
}

SetupWindow::SetupWindow(const Identity& identity, RunMode mode, SettingsStore& store,
                         SetupPrompts& prompts, SetupPlace place, QWidget* parent)
    : QWidget(parent),
      identity_(identity),
      mode_(mode),
      store_(store),
      prompts_(prompts),
      place_(std::move(place)) {
    setObjectName(QStringLiteral("TSONDEX_SETUPFM"));
    const QStringList colours =
        store_.readTexts({QStringLiteral("BackColor"), QStringLiteral("TAVIK_COLOR")});
    // A missing colour value reads as 0, as the older versions did.
    standardColour_ = new QCheckBox(QStringLiteral("標準色"), this);
    standardColour_->setChecked(colours[0].toInt() != 0);
    tavikColour_ = new QCheckBox(QStringLiteral("TAVIK色"), this);
    tavikColour_->setChecked(colours[1].toInt() != 0);
    tavikColour_->hide();
    connect(standardColour_, &QCheckBox::toggled, this, &SetupWindow::applyColours);
    applyColours();
    if (mode_ == RunMode::Normal) {
        setWindowTitle(displayTitle() + QStringLiteral(" 登録"));
        prompts_.setTitle(windowTitle());
        buildInstallPage();
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            adjustSize();
            move(screen->availableGeometry().center() - rect().center());
        }
        return;
    }
    setWindowTitle(displayTitle() + QStringLiteral(" 削除"));
    prompts_.setTitle(windowTitle());
    const auto start = [this](int ms, void (SetupWindow::*step)()) {
        QTimer::singleShot(ms, this, step);
    };
    if (mode_ == RunMode::UninstallRefused)
        start(kRefusalStartMs, &SetupWindow::TimerErOutTimer);
    else if (mode_ == RunMode::UninstallCopy)
        start(kRemovalStartMs, &SetupWindow::Timer2Timer);
    else
        start(kRemovalStartMs, &SetupWindow::Timer1Timer);
}

SetupWindow::~SetupWindow() = default;

void SetupWindow::applyColours() {
    // Off: the program's own colour, the one the main window paints with.
    QPalette colours = QApplication::palette();
    if (!standardColour_->isChecked()) {
        const QColor base = colours.color(QPalette::Base);
        colours.setColor(QPalette::Window,
                         base == QColor(Qt::black) ? colours.color(QPalette::Button) : base);
    }
    setPalette(colours);
    setAutoFillBackground(true);
}

QString SetupWindow::displayTitle() const {
    return identity_.AppTitle + QStringLiteral(" V") +
           QString::number(identity_.ExpectedVersion / 10) + QStringLiteral("．") +
           QString::number(identity_.ExpectedVersion % 10);
}

QString SetupWindow::itemTitle() const {
    return QStringLiteral("TAVIKSOFT ") + identity_.AppTitle + QStringLiteral(" V") +
           QString::number(identity_.ExpectedVersion / 10) + u'.' +
           QString::number(identity_.ExpectedVersion % 10);
}

QString SetupWindow::defaultInstallFolder() {
    return paths::homeFolder() + QStringLiteral("/TAVIKP32/SONDEX");
}

void SetupWindow::notice(const QString& text) {
    prompts_.notice(text);
}

void SetupWindow::buildInstallPage() {
    const QStringList stored =
        store_.readTexts({QStringLiteral("EXEPATH"), QStringLiteral("Group")});
    const QString programFile = QFileInfo(place_.executable).fileName();
    auto* layout = new QGridLayout(this);
    auto* label1 = new QLabel(programFile + QStringLiteral("を置くフォルダーの設定："), this);
    label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(stored[0].isEmpty() ? defaultInstallFolder() : stored[0], this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    auto* label2 = new QLabel(programFile + QStringLiteral("を登録するグループの選択："), this);
    label2->setObjectName(QStringLiteral("Label2"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    fillGroups(stored[1]);
    CheckBoxST =
        new QCheckBox(QStringLiteral("スタートアップグループにも、アイコンを登録する。"), this);
    CheckBoxST->setObjectName(QStringLiteral("CheckBoxST"));
    auto* browse = new QPushButton(QStringLiteral("参照"), this);
    browse->setObjectName(QStringLiteral("Button1"));
    auto* defaults = new QPushButton(QStringLiteral("初期値"), this);
    defaults->setObjectName(QStringLiteral("Button4"));
    Button3 = new QPushButton(QStringLiteral("設定"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    working_ = new QLabel(QStringLiteral("設定中"), this);
    working_->hide();
    auto* cancel = new QPushButton(QStringLiteral("中止"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    // A packaged program stays where the package put it.
    if (place_.packaged) {
        Edit1->setText(QFileInfo(place_.executable).absolutePath());
        for (QWidget* w : std::initializer_list<QWidget*>{Edit1, browse, defaults})
            w->setEnabled(false);
    }

    layout->addWidget(label1, 0, 0, 1, 3);
    layout->addWidget(Edit1, 1, 0);
    layout->addWidget(browse, 1, 1);
    layout->addWidget(defaults, 1, 2);
    layout->addWidget(label2, 2, 0, 1, 3);
    layout->addWidget(ComboBox1, 3, 0, 1, 3);
    layout->addWidget(CheckBoxST, 4, 0, 1, 3);
    layout->addWidget(standardColour_, 5, 0);
    layout->addWidget(Button3, 6, 1);
    layout->addWidget(working_, 6, 1);
    layout->addWidget(cancel, 6, 2);

    connect(browse, &QPushButton::clicked, this, &SetupWindow::Button1Click);
    connect(defaults, &QPushButton::clicked, this,
            [this] { Edit1->setText(defaultInstallFolder()); });
    connect(Button3, &QPushButton::clicked, this, &SetupWindow::Button3Click);
    connect(cancel, &QPushButton::clicked, this, &SetupWindow::Button2Click);
}

void SetupWindow::fillGroups(const QString& storedGroup) {
    const QString menus = paths::mergedMenusFolder();
    if (QFileInfo::exists(menus) && !QFileInfo(menus).isReadable()) {
        notice(QStringLiteral("グループ名の取得に失敗しました・・・"));
    }
    ComboBox1->addItems(groupChoices(entries::menuGroups(menus)));
    ComboBox1->setCurrentIndex(ComboBox1->count() - 1);
    const int stored = ComboBox1->findText(storedGroup);
    if (stored >= 0) ComboBox1->setCurrentIndex(stored);
}

void SetupWindow::Button1Click() {
    if (!place_.chooseFolder) return;
    const QString chosen =
        place_.chooseFolder(this, QStringLiteral("登録先"), paths::expandHome(Edit1->text()),
                            standardColour_->isChecked());
    if (!chosen.isEmpty()) Edit1->setText(paths::withoutTrailingSlash(chosen));
}

void SetupWindow::Button2Click() {
    notice(QStringLiteral("登録を中止します。"));
    finish();
}

void SetupWindow::Button3Click() {
    Button3->hide();
    working_->show();
    if (installSteps()) return;
    working_->hide();
    Button3->show();
}

bool SetupWindow::prepareFolder(const QString& folder, QStringList& created) {
    QStringList missing;
    for (QString f = folder; !QFileInfo::exists(f); f = QFileInfo(f).absolutePath())
        missing.prepend(f);
    if (missing.isEmpty()) return true;
    if (!prompts_.ask(folder + QStringLiteral("\nフォルダーを作成します"))) return false;
    for (const QString& f : missing) {
        if (!QDir().mkdir(f) || !QFileInfo(f).isDir()) {
            notice(bracketed(f, "フォルダーの作成に失敗しました・・・"));
            return false;
        }
        created.append(f);
    }
    return true;
}

bool SetupWindow::copyProgram(const QString& folder, QStringList& copied) {
    for (const QString& source : QStringList{place_.executable} + place_.companions) {
        const QString target = folder + u'/' + QFileInfo(source).fileName();
        // The old copy goes first: an update replaces the program it installed.
        QFile::remove(target);
        QFile file(source);
        if (!file.copy(target)) {
            notice(source + u'\n' + file.errorString() +
                   QStringLiteral("\nファイルのコピーに失敗しました・・・"));
            return false;
        }
        copied.append(target);
    }
    return true;
}

bool SetupWindow::installSteps() {
    const QString group = ComboBox1->currentText().trimmed();
    const QString text = Edit1->text().trimmed();
    if (group.isEmpty() || text.isEmpty()) {
        QApplication::beep();
        notice(group.isEmpty() ? QStringLiteral("グループ名を設定して下さい。")
                               : QStringLiteral("フォルダーを設定して下さい。"));
        return false;
    }
    // The group names the menu's files, so it must make a file name.
    if (!entries::isUsableGroupName(group)) {
        notice(bracketed(group, "データが不正です"));
        return false;
    }
    const QString folder = QDir::cleanPath(paths::expandHome(text));
    if (!QDir::isAbsolutePath(folder) || folder == u"/" || hasControlCharacter(folder)) {
        notice(bracketed(text, "データが不正です"));
        return false;
    }

    UninstallRecord record;
    // A damaged record cannot be trusted; this installation starts a new one.
    if (UninstallRecord::read(place_.recordPath, record) == UninstallRecord::State::Damaged)
        record = {};
    QString executable = place_.executable;
    if (!place_.packaged) {
        QStringList created;
        QStringList copied;
        const bool prepared = prepareFolder(folder, created);
        UninstallRecord::addAll(record.folders, created);
        const QString programFolder = QFileInfo(place_.executable).absolutePath();
        bool done = prepared;
        if (done &&
            QFileInfo(folder).canonicalFilePath() != QFileInfo(programFolder).canonicalFilePath()) {
            done = copyProgram(folder, copied);
            executable = folder + u'/' + QFileInfo(place_.executable).fileName();
        }

        // The program file comes first in the record: the uninstaller copy removes it last.
        QStringList files = copied;
        UninstallRecord::addAll(files, record.files);
        record.files = files;
        if (done) UninstallRecord::addAll(record.entries, installIcons());
        record.write(place_.recordPath);
        if (!done) return false;
    } else {
        record.write(place_.recordPath);
    }

    store_.writeTexts({{QStringLiteral("EXEPATH"), QFileInfo(executable).absolutePath()},
                       {QStringLiteral("Group"), group}});
    const ProgramShortcuts shortcuts(identity_.AppTitle, identity_.ProductKey, executable,
                                     place_.recordPath);
    if (const QString failure = shortcuts.addToGroup(group, place_.packageEntry);
        !failure.isEmpty()) {
        notice(failure);
        return false;
    }
    if (CheckBoxST->isChecked()) {
        if (const QString failure = shortcuts.addToStartup(); !failure.isEmpty()) notice(failure);
    }
    const bool written = store_.writeTexts({
        {QStringLiteral("Version"), QString::number(identity_.ExpectedVersion)},
        {QStringLiteral("BackColor"), switchText(standardColour_->isChecked())},
        {QStringLiteral("TAVIK_COLOR"), switchText(tavikColour_->isChecked())},
        {QStringLiteral("minihelp"), QStringLiteral("1")},
    });
    if (!written) {
        notice(QStringLiteral("設定ファイルに書き込めませんでした・・・"));
        return false;
    }
    notice(QStringLiteral("登録完了です。\n\n[ ") + group +
           QStringLiteral(" ]\nグループに登録しました☆☆\nお疲れ様☆☆"));
    finish();
    return true;
}

void SetupWindow::finish() {
    close();
    emit finished();
}

}  // namespace sondex
