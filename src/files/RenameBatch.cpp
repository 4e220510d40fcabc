#include "files/RenameBatch.h"

#include "files/FileRename.h"
#include "files/TReNameBoxDlg.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QApplication>

namespace sondex {

namespace {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

enum class Step { Next, End };

}  // namespace

int renameSelected(RenameLines& lines, TReNameBoxDlg& dialog, TMKBoxDlg& messages,
                   bool standardColor, const RenameBatchHooks& hooks) {
    const WaitCursor wait;
    bool stopped = false;
    int count = 0;
    // Answering 中 断 to a problem ends the loop; the count is still reported.
    const auto offerStop = [&](const char* problem, const QString& path) {
        if (messages.ERMsgBox(QString::fromUtf8(problem) + u'\n' + path, BoxAnswer::Ok) !=
            BoxAnswer::Abort)
            return Step::Next;
        hooks.beep();
        return Step::End;
    };
    const auto renameOne = [&](int line, const QString& path) {
        if (!filerename::isExistingFile(path))
            return offerStop("このファイルは、存在しません・・・", path);
        dialog.setStandardColor(standardColor);
        dialog.setTitle(QStringLiteral("一括リネーム（選択のみ）"));
        dialog.setNewName(QString());
        const int result = dialog.Execute(path);
        if (result == TRENAMEBox::Done && dialog.newName().isEmpty())
            return offerStop("リネームに失敗しました・・・", path);
        if (result == TRENAMEBox::Done) {
            ++count;
            lines.setPath(line, dialog.newName());
        }
        stopped = stopped || result == TRENAMEBox::Stopped;
        return Step::Next;
    };
    for (int i = 0; i < lines.count(); ++i) {
        hooks.processEvents();
        if (hooks.closing()) return count;
        const QString path = lines.isSelected(i) ? lines.path(i) : QString();
        if (!path.isEmpty() && renameOne(i, path) == Step::End) break;
        hooks.processEvents();
        if (stopped) break;
    }
    if (stopped)
        messages.TMMsgBox(QStringLiteral("中断ボタンが押されました。\nリネームを強制終了します。"),
                          BoxAnswer::Ok);
    messages.TMMsgBox(QString::number(count) + QStringLiteral("個のファイルをリネームしました。"),
                      BoxAnswer::Ok);
    hooks.repaint();
    return count;
}

}  // namespace sondex
