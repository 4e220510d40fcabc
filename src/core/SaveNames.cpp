#include "core/SaveNames.h"

#include <QFileInfo>

namespace sondex {

namespace {

constexpr qsizetype kMaxFileNameBytes = 255;
const QString kExtension = QStringLiteral(".wav");

bool unfitInFileName(char32_t c) {
    if (c < 0x20 || c == 0x7f) return true;
    switch (c) {
        case U'/':
        case U'\\':
        case U':':
        case U'*':
        case U'?':
        case U'"':
        case U'<':
        case U'>':
        case U'|':
            return true;
        default:
            return false;
    }
}

qsizetype utf8Length(char32_t c) {
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

}  // namespace

QString folderOf(const QString& path) {
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString fileStemFromTitle(const QString& title) {
    const qsizetype budget = kMaxFileNameBytes - kExtension.size();
    QString stem;
    qsizetype bytes = 0;
    for (const char32_t c : title.toUcs4()) {
        const char32_t fit = unfitInFileName(c) || (stem.isEmpty() && c == U'.') ? U'_' : c;
        bytes += utf8Length(fit);
        if (bytes > budget) break;
        stem += QString::fromUcs4(&fit, 1);
    }
    return stem;
}

QString musicFileProposal(const QString& slotName, const QString& musicFile) {
    if (musicFile.isEmpty()) return QString();
    const QString name = QFileInfo(musicFile).fileName();
    const QString stem = fileStemFromTitle(name.left(name.indexOf(u'.')));
    return stem.isEmpty() ? QString() : folderOf(slotName) + stem + kExtension;
}

QString trackNameProposal(const QString& automaticName, const QString& trackName) {
    if (trackName.isEmpty() || trackName == u"--") return QString();
    const QString stem = fileStemFromTitle(trackName);
    return stem.isEmpty() ? QString() : folderOf(automaticName) + stem + kExtension;
}

}  // namespace sondex
