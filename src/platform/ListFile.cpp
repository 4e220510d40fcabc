#include "platform/ListFile.h"

#include "platform/TextDecoding.h"

#include <QFile>
#include <QSaveFile>

namespace sondex::listfile {

namespace {
// Lists hold at most a few thousand lines; a larger file is not one of ours.
constexpr qint64 kMaxListFileSize = 64 * 1024 * 1024;

bool openForReading(QFile& file) { return file.size() <= kMaxListFileSize && file.open(QIODevice::ReadOnly); }
}  // namespace

QStringList read(const QString& path) {
    QFile file(path);
    if (!openForReading(file)) return {};
    return decodedLines(file.readAll());
}

bool write(const QString& path, const QStringList& entries) {
    // A file that is there but could not be read was read as an empty list:
    // writing the list back would throw away what the file holds.
    if (QFile there(path); there.exists() && !openForReading(there)) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QByteArray bytes;
    for (const QString& entry : entries) bytes += entry.toUtf8() + "\r\n";
    file.write(bytes);
    return file.commit();
}

}  // namespace sondex::listfile
