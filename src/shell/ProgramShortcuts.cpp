#include "shell/ProgramShortcuts.h"

#include "core/Identity.h"
#include "platform/AppPaths.h"
#include "platform/DesktopEntries.h"
#include "platform/UninstallRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sondex {

namespace {

const QString kStartupUnknown =
    QStringLiteral("ｱｲｺﾝ:スタートアップグループが不明ですので アイコン登録出来ません");
const QString kSendFailed = QStringLiteral("DDE:送信に失敗しました・・・");

}  // namespace

ProgramShortcuts::ProgramShortcuts(QString title, QString productKey, QString executable,
                                   QString recordPath)
    : title_(std::move(title)),
      productKey_(std::move(productKey)),
      executable_(std::move(executable)),
      recordPath_(std::move(recordPath)) {}

ProgramShortcuts ProgramShortcuts::forThisProcess(const Identity& identity) {
    return ProgramShortcuts(identity.AppTitle, identity.ProductKey,
                            QCoreApplication::applicationFilePath(),
                            recordPathFor(identity.ProductKey));
}

QString ProgramShortcuts::recordPathFor(const QString& productKey) {
    return paths::configFolder() + productKey + QStringLiteral(".uninstall");
}

QString ProgramShortcuts::writeEntry(const QString& path) const {
    const entries::Launcher launcher{title_, executable_, QString::fromLatin1(kIconName),
                                     productKey_};
    QString error;
    return entries::writeTextFile(path, entries::entryText(launcher), &error) ? QString() : error;
}

void ProgramShortcuts::remember(const QStringList& written) const {
    UninstallRecord record;
    // A damaged record is left as it is: rewriting it would lose what it still says.
    if (UninstallRecord::read(recordPath_, record) == UninstallRecord::State::Damaged) return;
    UninstallRecord::addAll(record.entries, written);
    record.write(recordPath_);
}

void ProgramShortcuts::forgetOtherGroups(const QStringList& current) const {
    UninstallRecord record;
    if (UninstallRecord::read(recordPath_, record) != UninstallRecord::State::Read) return;
    const QString prefix = entries::groupFileStem(QString());
    QStringList others;
    for (const QString& entry : record.entries) {
        const QString name = QFileInfo(entry).fileName();
        if (name.startsWith(prefix) && !current.contains(entry)) others.append(entry);
    }
    for (const QString& removed : removeOwnEntries(others)) record.entries.removeAll(removed);
    record.write(recordPath_);
}

QString ProgramShortcuts::addToGroup(const QString& group, const QString& packageEntry) const {
    const QString stem = entries::groupFileStem(group);
    const QString entry = paths::applicationsFolder() + entryFileName();
    const QString directory =
        paths::desktopDirectoriesFolder() + stem + QStringLiteral(".directory");
    const QString menu = paths::mergedMenusFolder() + stem + QStringLiteral(".menu");
    QStringList written;
    // The package's own menu entry is put into the group instead of a second one.
    bool done = !packageEntry.isEmpty() || writeEntry(entry).isEmpty();
    if (done && packageEntry.isEmpty()) written.append(entry);
    done = done && entries::writeTextFile(directory, entries::directoryText(group), nullptr);
    if (done) written.append(directory);
    const QString included = packageEntry.isEmpty() ? entryFileName() : packageEntry;
    done = done &&
           entries::writeTextFile(
               menu, entries::menuText(group, QFileInfo(directory).fileName(), included), nullptr);
    if (done) written.append(menu);
    remember(written);
    if (done) forgetOtherGroups({directory, menu});
    return done ? QString() : kSendFailed;
}

QString ProgramShortcuts::addToStartup() const {
    const QString path = paths::autostartFolder() + entryFileName();
    if (!writeEntry(path).isEmpty()) return kStartupUnknown;
    remember({path});
    return QString();
}

void ProgramShortcuts::removeFromStartup() const {
    removeOwnEntries({paths::autostartFolder() + entryFileName()});
}

QString ProgramShortcuts::addToDesktop() const {
    const QString folder = paths::desktopFolder();
    if (folder.isEmpty())
        return QStringLiteral("ｱｲｺﾝ:デスクトップフォルダーが不明ですので アイコン登録出来ません");
    const QString path = folder + entryFileName();
    if (QFileInfo::exists(path)) return QStringLiteral("デスクトップには、既に登録されています☆☆☆");
    const QString error = writeEntry(path);
    if (!error.isEmpty())
        return error + u'\n' + title_ +
               QStringLiteral("\nデスクトップへの登録に失敗しました・・・");
    // Desktops start only entries marked executable by their owner.
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    remember({path});
    return QString();
}

void ProgramShortcuts::removeFromDesktop() const {
    const QString folder = paths::desktopFolder();
    if (!folder.isEmpty()) removeOwnEntries({folder + entryFileName()});
}

bool ProgramShortcuts::atStartup() const {
    return QFileInfo::exists(paths::autostartFolder() + entryFileName());
}

bool ProgramShortcuts::onDesktop() const {
    const QString folder = paths::desktopFolder();
    return !folder.isEmpty() && QFileInfo::exists(folder + entryFileName());
}

QStringList ProgramShortcuts::removeOwnEntries(const QStringList& paths) const {
    QStringList removed;
    for (const QString& path : paths) {
        const bool ours =
            path.endsWith(QStringLiteral(".desktop"))
                ? entries::carriesMarker(path, productKey_)
                : QFileInfo(path).fileName().startsWith(entries::groupFileStem(QString())) ||
                      iconFiles().contains(path);
        if (ours && QFile::remove(path)) removed.append(path);
    }
    return removed;
}

QStringList ProgramShortcuts::knownEntries(const QString& group) const {
    QStringList known{paths::applicationsFolder() + entryFileName(),
                      paths::autostartFolder() + entryFileName()};
    if (!paths::desktopFolder().isEmpty()) known.append(paths::desktopFolder() + entryFileName());
    known += iconFiles();
    if (entries::isUsableGroupName(group)) {
        const QString stem = entries::groupFileStem(group);
        known.append(paths::desktopDirectoriesFolder() + stem + QStringLiteral(".directory"));
        known.append(paths::mergedMenusFolder() + stem + QStringLiteral(".menu"));
    }
    return known;
}

namespace {

constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QString iconFile(int size) {
    return paths::iconThemeFolder() +
           QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(QString::fromLatin1(kIconName));
}

}  // namespace

QStringList iconFiles() {
    QStringList files;
    for (const int size : kIconSizes) files.append(iconFile(size));
    return files;
}

QStringList installIcons() {
    QStringList written;
    for (const int size : kIconSizes) {
        const QString target = iconFile(size);
        const QString folder = QFileInfo(target).absolutePath();
        QFile::remove(target);
        // A resource copies read-only; the user's theme keeps ordinary files.
        if (QDir().mkpath(folder) &&
            QFile::copy(QStringLiteral(":/icons/sondex-%1.png").arg(size), target) &&
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner |
                                              QFile::ReadGroup | QFile::ReadOther))
            written.append(target);
    }
    return written;
}

QString packageMenuEntry() {
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty()) dirs = QStringLiteral("/usr/local/share:/usr/share");
    const QString entry = QStringLiteral("jp.tavik.Sondex.desktop");
    for (const QString& dir : dirs.split(u':', Qt::SkipEmptyParts)) {
        if (QFileInfo::exists(dir + QStringLiteral("/applications/") + entry)) return entry;
    }
    return QString();
}

QStringList groupChoices(const QStringList& menuGroups) {
    QStringList groups = menuGroups;
    groups.sort();
    const QString tavik = QStringLiteral("TAVIK SOFT");
    const QString tavik32 = QStringLiteral("TAVIK SOFT32");
    if (groups.removeAll(tavik) > 0) groups.append(tavik);
    groups.removeAll(tavik32);
    groups.append(tavik32);
    return groups;
}

}  // namespace sondex
