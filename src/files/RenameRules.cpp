#include "files/RenameRules.h"

#include <algorithm>

namespace sondex::renamerules {

namespace {

// The extension without its ".", as the name shows it; empty when none.
QString extensionOf(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QString() : fileName.mid(dot + 1);
}

}  // namespace

int limitDigits(qint64 digits) {
    return static_cast<int>(std::clamp<qint64>(digits, 1, 9));
}

std::optional<int> fieldNumber(const QString& text) {
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok || number < 0) return std::nullopt;
    return number;
}

QString paddedNumber(int number, int digits) {
    return QStringLiteral("%1").arg(number, digits, 10, QLatin1Char('0'));
}

QString lowerExtension(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QString() : fileName.mid(dot).toLower();
}

QString numberedName(const QString& base, const QString& numberText, const QString& oldFileName) {
    return base + numberText + lowerExtension(oldFileName);
}

QString withNewExtension(const QString& newName, const QString& oldFileName, const QString& filter,
                         const QString& newExtension) {
    const QString wanted = filter.toUpper();
    const QString old = wanted.isEmpty() ? QString() : extensionOf(oldFileName).toUpper();
    if (old != wanted) return newName;
    return newName.left(newName.indexOf(u'.') < 0 ? newName.size() : newName.indexOf(u'.')) + u'.' +
           newExtension;
}

bool isEntryName(const QString& name) {
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral("..")) return false;
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) {
        return c == u'/' || c.unicode() < 0x20 || c.unicode() == 0x7f;
    });
}

}  // namespace sondex::renamerules
