#include "platform/ListFile.h"

#include "platform/TextDecoding.h"

#include <QFile>
#include <QSaveFile>

namespace sondex::listfile {

namespace {
// Lists hold at most a few thousand lines; a larger file is not one of ours.
constexpr qint64 kMaxListFileSize = 64 * 1024 * 1024;
}  // namespace

QStringList read(const QString& path) {
    QFile file(path);
    if (file.size() > kMaxListFileSize || !file.open(QIODevice::ReadOnly)) return {};
    return decodedLines(file.readAll());
}

bool write(const QString& path, const QStringList& entries) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QByteArray bytes;
    for (const QString& entry : entries) bytes += entry.toUtf8() + "\r\n";
    file.write(bytes);
    return file.commit();
}

}  // namespace sondex::listfile
