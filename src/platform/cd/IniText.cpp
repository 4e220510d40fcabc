#include "platform/cd/IniText.h"

#include "platform/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sondex::cd::ini {

QList<Line> parse(const QByteArray& bytes) {
    QList<Line> lines;
    QString section;
    const QStringList raw = decodedLines(bytes);
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QString trimmed = raw[i].trimmed();
        if (trimmed.isEmpty())
            continue;
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            section = trimmed.mid(1, trimmed.size() - 2).trimmed();
            continue;
        }
        Line line;
        line.number = int(i + 1);
        line.section = section;
        line.text = trimmed;
        const qsizetype eq = trimmed.indexOf(u'=');
        if (eq > 0) {
            line.key = trimmed.left(eq).trimmed();
            line.value = trimmed.mid(eq + 1).trimmed();
        }
        lines.append(line);
    }
    return lines;
}

QString findIgnoringCase(const QString& folder, const QString& name) {
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(name)).exists())
        return dir.filePath(name);
    for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return QString();
}

QByteArray readSmall(const QString& path, qint64 maxBytes, bool* ok) {
    *ok = false;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > maxBytes)
        return {};
    QByteArray bytes = file.read(maxBytes + 1);
    *ok = bytes.size() <= maxBytes;
    return *ok ? bytes : QByteArray();
}

}  // namespace sondex::cd::ini
