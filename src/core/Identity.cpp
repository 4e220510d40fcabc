#include "core/Identity.h"

#include "platform/AppPaths.h"

#include <QFileInfo>

namespace sondex {

Identity Identity::forThisUser() {
    Identity id;
    id.AppTitle = QStringLiteral("SONDEX何でもWAV録音");
    id.ProductKey = QStringLiteral("SONDEX");
    id.ProgramFolder = paths::programFolder();
    id.ExpectedVersion = 22;
    id.ProductNumber = 0;
    id.UninstallerName = uninstallerNameFor(id.ProductNumber);
    return id;
}

QString uninstallerNameFor(int productNumber) {
    const QString digits = QStringLiteral("000") + QString::number(productNumber);
    return QStringLiteral("unin_tavik") + digits.right(3);
}

RunMode initialRunMode(const QStringList& arguments, const QString& invokedAs,
                       const QString& uninstallerName) {
    if (!arguments.isEmpty() && arguments.first() == u"/uninstall") return RunMode::Uninstall;
    if (QFileInfo(invokedAs).fileName().toLower() == uninstallerName.toLower())
        return RunMode::UninstallCopy;
    return RunMode::Normal;
}

std::optional<int> storedVersion(const QString& text) {
    if (text.isEmpty()) return 255;
    bool ok = false;
    const int version = text.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return version;
}

QString versionText(std::optional<int> version) {
    if (!version || *version == 255) return QStringLiteral("?.?");
    return QStringLiteral("%1.%2").arg(*version / 10).arg(*version % 10);
}

}  // namespace sondex
