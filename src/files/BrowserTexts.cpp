#include "files/BrowserTexts.h"

#include "files/FolderPaths.h"

#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace sondex::browsing {

QString driveEntryText(const DiskVolume& volume) {
    if (volume.label.isEmpty()) return volume.mountPoint;
    return volume.mountPoint + QStringLiteral(" [") + volume.label + u']';
}

bool matchesMasks(const QString& name, const QString& masks) {
    const QStringList list = masks.split(u';', Qt::SkipEmptyParts);
    if (list.isEmpty()) return true;
    for (QString mask : list) {
        mask = mask.trimmed();
        if (mask == u"*.*" || mask == u"*") return true;
        // Only "*" and "?" are wildcards; brackets are letters of the name.
        QString expression = QRegularExpression::escape(mask);
        expression.replace(QStringLiteral("\\*"), QStringLiteral(".*"))
            .replace(QStringLiteral("\\?"), QStringLiteral("."));
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(expression),
                                         QRegularExpression::CaseInsensitiveOption);
        if (pattern.match(name).hasMatch()) return true;
    }
    return false;
}

QList<FilterChoice> parseFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QList<FilterChoice> choices;
    bool hasAll = false;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        choices.append({parts[i], parts[i + 1]});
        hasAll = hasAll || parts[i + 1].trimmed() == u"*.*";
    }
    if (!hasAll) choices.append({QStringLiteral("ALL files"), QStringLiteral("*.*")});
    return choices;
}

QString sizeText(qint64 bytes) {
    QLocale grouping(QLocale::English);
    return QStringLiteral("%1").arg(grouping.toString(bytes), 8);
}

QString dateText(const QDateTime& time) {
    return QLocale(QLocale::Japanese).toString(time, QStringLiteral("yy/MM/dd hh:mm:ss ddd"));
}

QString kindText(const QString& name) {
    const QString suffix = QFileInfo(name).suffix();
    if (suffix.isEmpty() || (name.startsWith(u'.') && name.count(u'.') == 1))
        return QStringLiteral("ファイル");
    return suffix.toUpper() + QStringLiteral(" ファイル");
}

QString promptFolder(const QString& folder) {
    if (folder.size() <= 38) return folder;
    return QStringLiteral("...") + folder.right(35);
}

QString startFolder(const QString& text, const QString& fallback) {
    if (text.trimmed().isEmpty()) return fallback;
    const QStringList onTheWay = folders::cumulativeFolders(folders::fullFolderPath(text));
    for (auto folder = onTheWay.crbegin(); folder != onTheWay.crend(); ++folder) {
        if (QFileInfo(*folder).isDir()) return *folder;
    }
    return fallback;
}

}  // namespace sondex::browsing
