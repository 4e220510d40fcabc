// The removal half of the setup window: the questions, the entries and data,
// and the uninstaller copy that removes the program file once it has ended.
#include "shell/SetupWindow.h"

#include "platform/IniSettingsStore.h"
#include "platform/SettingsStore.h"
#include "platform/UninstallRecord.h"
#include "shell/ProgramShortcuts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPalette>
#include <QTimer>

#include <algorithm>

namespace sondex {

namespace {

constexpr int kTimer3Ms = 1000;
// The removing program has ended long before this; a file still there cannot be removed.
constexpr int kTimer3MaxTicks = 30;
const QString kCompleted = QStringLiteral("削除が完了しました☆☆☆\nお疲れ様☆☆☆");

// The data files, matched without regard to letter case as they may have been copied in.
bool isDataFile(const QString& name, const QString& key) {
    const QString upper = name.toUpper();
    const QString k = key.toUpper();
    if (upper.endsWith(QStringLiteral(".DAY")) && upper.size() > 4) return true;
    QStringList fixed{k + QStringLiteral("M0.LIS"),  k + QStringLiteral("MI.LIS"),
                      k + QStringLiteral("JK.LIS"),  QStringLiteral("DRV$$$$$.TXT"),
                      QStringLiteral("CD$$$$.TXT"),  QStringLiteral("録音$$$$.TXT"),
                      QStringLiteral("CDVSET$$.TXT")};
    for (int i = 0; i <= 2; ++i)
        fixed.append(k + u'F' + QString::number(i) + QStringLiteral(".LIS"));
    for (int i = 0; i <= 6; ++i)
        fixed.append(k + u'W' + QString::number(i) + QStringLiteral(".LIS"));
    return fixed.contains(upper);
}

void removeFolderIfEmpty(const QString& folder) {
    QDir().rmdir(folder);
}

}  // namespace

void SetupWindow::TimerErOutTimer() {
    notice(QStringLiteral("削除エラー：ソフトが起動中です。\n終了しないと削除出来ません。"));
    finish();
}

void SetupWindow::Timer1Timer() {
    if (!prompts_.ask(itemTitle() +
                      QStringLiteral("\nを、パソコンから削除してよろしいですか？？？"))) {
        notice(QStringLiteral("削除を中止しました。"));
        finish();
        return;
    }
    UninstallRecord record;
    const UninstallRecord::State state = UninstallRecord::read(place_.recordPath, record);
    if (state != UninstallRecord::State::Read && !place_.packaged) {
        // Without the record nothing says which program files setup copied; they stay.
        notice(
            QStringLiteral("削除記録が見つからないか、壊れています。\n"
                           "アイコンとデータだけを削除します。プログラムのファイルは残ります。"));
    }
    const ProgramShortcuts shortcuts(identity_.AppTitle, identity_.ProductKey, place_.executable,
                                     place_.recordPath);
    QStringList entries = record.entries;
    UninstallRecord::addAll(entries,
                            shortcuts.knownEntries(store_.readText(QStringLiteral("Group"))));
    shortcuts.removeOwnEntries(entries);

    const QString programFile = record.files.value(0);
    for (const QString& companion : record.files.mid(1)) {
        QFile::setPermissions(companion, QFile::permissions(companion) | QFile::WriteOwner);
        QFile::remove(companion);
    }
    if (prompts_.ask(
            QStringLiteral("アイコン／TXTﾌｧｲﾙの削除を終了しました。\n"
                           "メモリー／登録タイムデータファイルも削除して、よろしいですか？？？"))) {
        removeData();
    }
    store_.writeTexts(
        {{QStringLiteral("Version"), QString()}, {QStringLiteral("REC_TXT"), QString()}});
    if (prompts_.ask(QStringLiteral("当ソフトのレジストリー情報も削除してよろしいですか？？"))) {
        QFile::remove(place_.settingsPath);
    }
    if (programFile.isEmpty()) {
        QFile::remove(place_.recordPath);
        if (place_.packaged) {
            notice(QStringLiteral("プログラム本体は、パッケージマネージャーで削除して下さい。"));
        }
        removeFolderIfEmpty(QFileInfo(place_.recordPath).absolutePath());
        notice(kCompleted);
        finish();
        return;
    }
    // The user's own files keep the install folder, and quietly so.
    const QDir installFolder = QFileInfo(programFile).absoluteDir();
    const QStringList left = installFolder.entryList(QDir::AllEntries | QDir::Hidden |
                                                     QDir::System | QDir::NoDotAndDotDot);
    const bool keepFolder =
        left.size() > 1 || (left.size() == 1 && left.first() != QFileInfo(programFile).fileName());
    if (startUninstallerCopy({programFile}, record.folders, keepFolder)) {
        QFile::remove(place_.recordPath);
    } else {
        notice(QStringLiteral("1削除エラー：削除ソフトの起動に失敗しました"));
        QFile::remove(place_.handOverPath);
        // What is left to remove stays on record for the next try.
        record.files = {programFile};
        record.entries.clear();
        record.write(place_.recordPath);
    }
    finish();
}

void SetupWindow::removeData() {
    QDir folder(place_.dataFolder);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (isDataFile(name, identity_.ProductKey)) folder.remove(name);
    }
    removeFolderIfEmpty(folder.absolutePath());
    removeFolderIfEmpty(QFileInfo(folder.absolutePath()).absolutePath());
}

bool SetupWindow::startUninstallerCopy(const QStringList& files, const QStringList& folders,
                                       bool keepFolder) {
    const QFileInfo source(place_.executable);
    const QFileInfo copy(place_.uninstallerCopy);
    if (!copy.exists() || copy.lastModified() < source.lastModified()) {
        QDir().mkpath(copy.absolutePath());
        QFile::remove(copy.filePath());
        if (!QFile::copy(source.filePath(), copy.filePath())) return false;
        // The copy carries the program's time, so "older" compares program versions.
        QFile stamped(copy.filePath());
        if (stamped.open(QIODevice::Append)) {
            stamped.setFileTime(source.lastModified(), QFileDevice::FileModificationTime);
        }
    }
    IniSettingsStore handOver(place_.handOverPath);
    const bool written = handOver.writeTexts({
        {QStringLiteral("File"), files.first()},
        {QStringLiteral("Title"), windowTitle()},
        {QStringLiteral("RmDir"), keepFolder ? QStringLiteral("n") : QString()},
        {QStringLiteral("Color"), palette().color(QPalette::Window).name()},
        {QStringLiteral("FColor"), palette().color(QPalette::WindowText).name()},
        {QStringLiteral("Folders"), folders.join(u'\t')},
    });
    return written && place_.startDetached &&
           place_.startDetached(copy.filePath(), {QStringLiteral("/DeleteFile")});
}

void SetupWindow::Timer2Timer() {
    IniSettingsStore handOver(place_.handOverPath);
    const QStringList values = handOver.readTexts(
        {QStringLiteral("File"), QStringLiteral("Title"), QStringLiteral("RmDir"),
         QStringLiteral("Color"), QStringLiteral("FColor"), QStringLiteral("Folders")});
    QFile::remove(place_.handOverPath);
    const QString title =
        values[1].isEmpty() ? QStringLiteral("UNINSTALL_TAVIK") + identity_.UninstallerName.right(3)
                            : values[1];
    setWindowTitle(title);
    prompts_.setTitle(title);
    if (QColor(values[3]).isValid() && QColor(values[4]).isValid()) {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, QColor(values[3]));
        colours.setColor(QPalette::WindowText, QColor(values[4]));
        setPalette(colours);
    }
    if (place_.arguments.value(0) != u"/DeleteFile" || !QDir::isAbsolutePath(values[0])) {
        notice(QStringLiteral(
            "削除エラー：パラメーターが不正です・・・\n[TAVIK SOFT32]専用の削除ソフトです。"));
        finish();
        return;
    }
    pendingFiles_ = {values[0]};
    pendingFolders_ = values[5].split(u'\t', Qt::SkipEmptyParts);
    keepFolder_ = values[2] == u"n";
    Timer3 = new QTimer(this);
    Timer3->setInterval(kTimer3Ms);
    connect(Timer3, &QTimer::timeout, this, &SetupWindow::Timer3Timer);
    Timer3->start();
}

void SetupWindow::Timer3Timer() {
    const QString& file = pendingFiles_.first();
    if (QFileInfo::exists(file) && !QFile::remove(file)) {
        if (++timer3Ticks_ < kTimer3MaxTicks) return;  // the program may still be ending
        Timer3->stop();
        notice(file + QStringLiteral("\n削除エラー：ファイルを削除出来ませんでした・・・"));
        finish();
        return;
    }
    Timer3->stop();
    if (!keepFolder_) {
        QStringList deepestFirst = pendingFolders_;
        std::sort(deepestFirst.begin(), deepestFirst.end(),
                  [](const QString& a, const QString& b) { return a.size() > b.size(); });
        for (const QString& folder : deepestFirst) {
            QDir().rmdir(folder);
            if (QFileInfo::exists(folder)) {
                notice(QStringLiteral("フォルダー削除エラー"));
                break;
            }
        }
    }
    // The copy has done its work; the config folder goes too when nothing else is left in it.
    QFile::remove(place_.uninstallerCopy);
    removeFolderIfEmpty(QFileInfo(place_.uninstallerCopy).absolutePath());
    notice(kCompleted);
    finish();
}

}  // namespace sondex
