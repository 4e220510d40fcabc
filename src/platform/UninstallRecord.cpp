#include "platform/UninstallRecord.h"

#include "platform/DesktopEntries.h"

#include <QDir>
#include <QFile>

namespace sondex {

namespace {

const QString kHeader = QStringLiteral("# SONDEX uninstall record 1");
constexpr qint64 kMaxBytes = 1024 * 1024;

}  // namespace

UninstallRecord::State UninstallRecord::read(const QString& path, UninstallRecord& out) {
    out = {};
    UninstallRecord record;
    QFile file(path);
    if (!file.exists()) return State::Missing;
    if (file.size() > kMaxBytes || !file.open(QIODevice::ReadOnly)) return State::Damaged;
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (lines.takeFirst() != kHeader) return State::Damaged;
    for (const QString& line : lines) {
        if (line.isEmpty()) continue;
        const QString kind = line.section(u'\t', 0, 0);
        const QString item = line.section(u'\t', 1);
        // A relative or unclean path would let a damaged record point anywhere.
        if (!QDir::isAbsolutePath(item) || QDir::cleanPath(item) != item) return State::Damaged;
        if (kind == u"file")
            record.files.append(item);
        else if (kind == u"folder")
            record.folders.append(item);
        else if (kind == u"entry")
            record.entries.append(item);
        else
            return State::Damaged;
    }
    out = record;
    return State::Read;
}

bool UninstallRecord::write(const QString& path) const {
    QString text = kHeader + u'\n';
    const auto add = [&text](const char* kind, const QStringList& items) {
        for (const QString& item : items) text += QString::fromLatin1(kind) + u'\t' + item + u'\n';
    };
    add("file", files);
    add("folder", folders);
    add("entry", entries);
    return entries::writeTextFile(path, text, nullptr);
}

void UninstallRecord::addAll(QStringList& list, const QStringList& paths) {
    for (const QString& item : paths) {
        if (!list.contains(item)) list.append(item);
    }
}

}  // namespace sondex
