#include "platform/IniSettingsStore.h"

#include "platform/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStringDecoder>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace sondex {

namespace {

constexpr QByteArrayView kSection = "[SONDEX]";

enum class FileState { Missing, Read, Unreadable };

struct FileBytes {
    FileState state = FileState::Missing;
    QByteArray bytes;
};

FileBytes readFile(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        // Only a file that is not there is missing; any other failure hides one.
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        return {missing ? FileState::Missing : FileState::Unreadable, {}};
    }
    // A folder, a pipe or a device in its place is no settings file (and a
    // pipe would hold the start up forever).
    if (!S_ISREG(info.st_mode) || info.st_size > IniSettingsStore::kMaxFileSize) return {FileState::Unreadable, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {FileState::Unreadable, {}};
    QByteArray bytes;
    char chunk[64 * 1024];
    qint64 n = 0;
    while ((n = file.read(chunk, sizeof chunk)) > 0) {
        bytes.append(chunk, static_cast<qsizetype>(n));
        if (bytes.size() > IniSettingsStore::kMaxFileSize) return {FileState::Unreadable, {}};
    }
    if (n < 0) return {FileState::Unreadable, {}};
    return {FileState::Read, bytes};
}

// The value part of the first line of a name: bytes [start, end) of the file.
struct ValueSpan {
    qsizetype start = -1;
    qsizetype end = -1;
    bool found() const { return start >= 0; }
};

// Where the asked names stand in a file, and where new values go.
struct Layout {
    QList<ValueSpan> values;   // one per distinct asked name
    qsizetype insertAt = 0;    // after the last line of the [SONDEX] section
    bool hasSection = false;   // else a "[SONDEX]" line is put at the top first
};

// Asked names by their case-folded form, each to its slot in Layout::values.
class NameIndex {
public:
    explicit NameIndex(const QStringList& names) {
        slots_.reserve(names.size());
        for (const QString& name : names) {
            auto it = byName_.constFind(name.toCaseFolded());
            if (it == byName_.cend()) it = byName_.insert(name.toCaseFolded(), byName_.size());
            slots_.append(it.value());
        }
    }
    qsizetype slotCount() const { return byName_.size(); }
    qsizetype slotOf(qsizetype askedIndex) const { return slots_[askedIndex]; }
    qsizetype find(const QString& name) const { return byName_.value(name.toCaseFolded(), -1); }

private:
    QHash<QString, qsizetype> byName_;
    QList<qsizetype> slots_;
};

// A value's name: valid UTF-8 without control characters. Lines with any
// other name are kept as they are and never read.
bool decodeName(QByteArrayView bytes, QString& name) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    name = utf8.decode(bytes);
    if (utf8.hasError() || name.isEmpty()) return false;
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

// Values are the "Name=Text" lines before the first section line and those of
// [SONDEX] sections; the first line of a name holds its value.
Layout scan(const QByteArray& bytes, const NameIndex& index) {
    Layout layout;
    layout.values.resize(index.slotCount());
    bool ours = true;
    bool inFirstSection = false;
    qsizetype startBlockEnd = 0;  // after the last non-blank line before any section
    QString name;
    for (qsizetype pos = 0; pos < bytes.size();) {
        const qsizetype newline = bytes.indexOf('\n', pos);
        const qsizetype next = newline < 0 ? bytes.size() : newline + 1;
        qsizetype end = newline < 0 ? bytes.size() : newline;
        if (end > pos && bytes[end - 1] == '\r') --end;
        const QByteArrayView line(bytes.constData() + pos, end - pos);
        if (line.startsWith('[')) {
            ours = line.trimmed().compare(kSection, Qt::CaseInsensitive) == 0;
            inFirstSection = ours && !layout.hasSection;
            if (inFirstSection) {
                layout.hasSection = true;
                layout.insertAt = next;
            }
        } else if (ours) {
            if (!line.trimmed().isEmpty()) {
                if (inFirstSection) layout.insertAt = next;
                if (!layout.hasSection) startBlockEnd = next;
            }
            const qsizetype equals = line.indexOf('=');
            if (equals > 0 && !line.startsWith(';') && decodeName(line.first(equals), name)) {
                const qsizetype slot = index.find(name);
                if (slot >= 0 && !layout.values[slot].found()) layout.values[slot] = {pos + equals + 1, end};
            }
        }
        pos = next;
    }
    if (!layout.hasSection) layout.insertAt = startBlockEnd;
    return layout;
}

QString valueText(const QByteArray& bytes, ValueSpan span) {
    return decodeLegacyText(bytes.mid(span.start, span.end - span.start));
}

QString singleLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

// Bytes put in at an offset of the file, or put in place of [offset, end).
struct Edit {
    qsizetype offset;
    qsizetype end;
    QByteArray bytes;
};

}  // namespace

IniSettingsStore::IniSettingsStore(QString path) : path_(std::move(path)) {}

bool IniSettingsStore::isUnreadable() const { return readFile(path_).state == FileState::Unreadable; }

QStringList IniSettingsStore::readTexts(const QStringList& names) const {
    const FileBytes file = readFile(path_);
    const NameIndex index(names);
    const Layout layout = scan(file.bytes, index);
    QStringList texts;
    texts.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        const ValueSpan span = layout.values[index.slotOf(i)];
        texts.append(span.found() ? valueText(file.bytes, span) : QString());
    }
    return texts;
}

bool IniSettingsStore::writeTexts(const QList<NamedText>& values) {
    if (writesRefused_) return false;
    const FileBytes file = readFile(path_);
    if (file.state == FileState::Unreadable) return false;
    const QByteArray& bytes = file.bytes;

    QStringList names;
    for (const NamedText& value : values) names.append(value.first);
    const NameIndex index(names);
    const Layout layout = scan(bytes, index);

    // The last text written for each name; a name the file lacks keeps the
    // place of its first write.
    QList<std::optional<QString>> replaced(index.slotCount());
    QList<qsizetype> appendedSlots;
    QList<NamedText> appended;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const qsizetype slot = index.slotOf(i);
        const QString text = singleLine(values[i].second);
        if (layout.values[slot].found()) {
            replaced[slot] = text;
        } else if (const qsizetype at = appendedSlots.indexOf(slot); at >= 0) {
            appended[at].second = text;
        } else {
            appendedSlots.append(slot);
            appended.append({values[i].first, text});
        }
    }

    const qsizetype firstNewline = bytes.indexOf('\n');
    const QByteArray eol = firstNewline > 0 && bytes[firstNewline - 1] == '\r' ? "\r\n" : "\n";
    QList<Edit> edits;
    for (qsizetype slot = 0; slot < replaced.size(); ++slot) {
        const ValueSpan span = layout.values[slot];
        // A line whose text stays is left as it is, whatever its encoding.
        if (!replaced[slot] || valueText(bytes, span) == *replaced[slot]) continue;
        edits.append({span.start, span.end, replaced[slot]->toUtf8()});
    }
    if (!appended.isEmpty()) {
        if (!layout.hasSection) edits.append({0, 0, kSection.toByteArray() + eol});
        QByteArray lines;
        if (layout.insertAt > 0 && bytes[layout.insertAt - 1] != '\n') lines += eol;  // a cut-off last line
        for (const NamedText& value : appended) lines += value.first.toUtf8() + '=' + value.second.toUtf8() + eol;
        edits.append({layout.insertAt, layout.insertAt, lines});
    }
    if (edits.isEmpty()) return true;
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.offset < b.offset; });

    QByteArray out;
    out.reserve(bytes.size() + 1024);
    qsizetype copied = 0;
    for (const Edit& edit : edits) {
        out.append(bytes.constData() + copied, edit.offset - copied);
        out.append(edit.bytes);
        copied = edit.end;
    }
    out.append(bytes.constData() + copied, bytes.size() - copied);

    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile saved(path_);
    if (!saved.open(QIODevice::WriteOnly)) return false;
    saved.write(out);
    return saved.commit();
}

}  // namespace sondex
