#include "files/FileRename.h"

#include "files/RenameRules.h"
#include "platform/NameBytes.h"
#include "platform/NoReplaceRename.h"

#include <QFile>

namespace sondex::filerename {

bool isExistingFile(const QString& shownPath) {
    const auto real = namebytes::realPath(shownPath);
    return real && namebytes::isFile(*real);
}

Outcome renameFile(const QString& folder, const QString& oldName, const QString& newName) {
    const auto from = namebytes::realPath(folder + oldName);
    if (!from || !namebytes::isFile(*from)) return Outcome::Missing;
    // The new name goes beside the file's real bytes, whatever its folder's name shows.
    if (!renamerules::isEntryName(newName)) return Outcome::Failed;
    const QByteArray to = namebytes::folderOf(*from) + QFile::encodeName(newName);
    // Checked first for its message; the rename itself is what refuses a taken name.
    if (namebytes::exists(to)) return Outcome::Taken;
    switch (noreplace::rename(*from, to).outcome) {
        case noreplace::Outcome::Done:
            return Outcome::Done;
        case noreplace::Outcome::Taken:
            return Outcome::Taken;
        case noreplace::Outcome::Failed:
            break;
    }
    return Outcome::Failed;
}

QString notice(Outcome outcome, const QString& oldPath, const QString& newPath) {
    switch (outcome) {
        case Outcome::Missing:
            return QStringLiteral("リネームエラー： ファイルが見つかりません・・・\n") + oldPath;
        case Outcome::Taken:
            return QStringLiteral(
                       "リネームエラー：\n同名ファイル、又は、同名フォルダーが存在します・・・\n") +
                   newPath;
        case Outcome::Failed:
            return QStringLiteral("リネームエラー： リネームに失敗しました・・・\n") + oldPath +
                   u'\n' + newPath;
        case Outcome::Done:
            break;
    }
    return QString();
}

}  // namespace sondex::filerename
