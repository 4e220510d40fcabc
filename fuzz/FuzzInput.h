#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// What the targets share: the input as Qt bytes, and a scratch folder for the
// readers that take a path rather than bytes.
namespace sondex::fuzz {

inline QByteArrayView bytes(const uint8_t* data, size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// One folder for the whole run, removed when the process ends normally.
inline const QString& scratchFolder() {
    static QTemporaryDir dir;
    static const QString path = dir.path() + u'/';
    return path;
}

// Writes the input to `name` in the scratch folder and returns its path.
inline QString inputFile(const uint8_t* data, size_t size, const QString& name) {
    const QString path = scratchFolder() + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

}  // namespace sondex::fuzz
