#include "platform/IniSettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QSaveFile>

namespace sondex {

namespace {

const QString kSection = QStringLiteral("[SONDEX]");

// Files larger than this are not settings files; reading them would only cost memory.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

struct Entry {
    QString name;
    QString text;
};

bool isValueName(const QString& name) {
    if (name.isEmpty() || name.startsWith(u'[') || name.startsWith(u';')) return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c == QChar::ReplacementCharacter) return false;
    }
    return true;
}

// Every "Name=Text" line with a usable name; anything else (section lines,
// damaged lines) is dropped, so the next write leaves a clean file.
QList<Entry> parse(const QByteArray& bytes) {
    QList<Entry> entries;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0) continue;
        Entry entry{QString::fromUtf8(line.left(equals)), QString::fromUtf8(line.mid(equals + 1))};
        if (!isValueName(entry.name)) continue;
        entries.append(entry);
    }
    return entries;
}

QList<Entry> readEntries(const QString& path) {
    QFile file(path);
    if (file.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly)) return {};
    return parse(file.readAll());
}

qsizetype indexOf(const QList<Entry>& entries, const QString& name) {
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

QString singleLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

}  // namespace

IniSettingsStore::IniSettingsStore(QString path) : path_(std::move(path)) {}

QStringList IniSettingsStore::readTexts(const QStringList& names) const {
    const QList<Entry> entries = readEntries(path_);
    QStringList texts;
    texts.reserve(names.size());
    for (const QString& name : names) {
        const qsizetype i = indexOf(entries, name);
        texts.append(i < 0 ? QString() : entries[i].text);
    }
    return texts;
}

bool IniSettingsStore::writeTexts(const QList<NamedText>& values) {
    QList<Entry> entries = readEntries(path_);
    for (const NamedText& value : values) {
        Entry entry{value.first, singleLine(value.second)};
        const qsizetype i = indexOf(entries, value.first);
        if (i < 0) {
            entries.append(entry);
        } else {
            entries[i] = entry;
        }
    }

    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QByteArray bytes = kSection.toUtf8() + '\n';
    for (const Entry& entry : entries) {
        // A name that the file held twice is written once, with the first text.
        if (indexOf(entries, entry.name) != &entry - entries.constData()) continue;
        bytes += entry.name.toUtf8() + '=' + entry.text.toUtf8() + '\n';
    }
    file.write(bytes);
    return file.commit();
}

}  // namespace sondex
