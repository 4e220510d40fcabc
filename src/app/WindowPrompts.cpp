#include "app/WindowPrompts.h"

#include "ui/dialogs/TMKBoxDlg.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace sondex {

WindowPrompts::WindowPrompts(TMKBoxDlg& messages, QWidget& owner) : messages_(messages), owner_(owner) {}

BoxAnswer WindowPrompts::message(const QString& text) {
    // Failures offer 中 断, which breaks off a running sequence.
    return messages_.ERMsgBox(text, BoxAnswer::Ok);
}

BoxAnswer WindowPrompts::notice(const QString& text) { return messages_.TMMsgBox(text, BoxAnswer::Ok); }

BoxAnswer WindowPrompts::question(const QString& text, BoxAnswer defaultAnswer) {
    return messages_.TMMsgBoxYN(text, defaultAnswer);
}

BoxAnswer WindowPrompts::timedMessage(const QString& text, int seconds) {
    return seconds > 0 ? messages_.TMMsgBoxCount(seconds, text, BoxAnswer::Ok)
                       : messages_.TMMsgBox(text, BoxAnswer::Ok);
}

BoxAnswer WindowPrompts::abortableMessage(const QString& text, int seconds) {
    return seconds > 0 ? messages_.ERMsgBoxCount(seconds, text, BoxAnswer::Ok)
                       : messages_.ERMsgBox(text, BoxAnswer::Ok);
}

std::optional<QString> WindowPrompts::saveName(const QString& fileName, const QString& folder) {
    if (!SaveDialog1_) {
        SaveDialog1_ = new QFileDialog(&owner_, QStringLiteral("ＷＡＶファイル作成"));
        SaveDialog1_->setObjectName(QStringLiteral("SaveDialog1"));
        SaveDialog1_->setAcceptMode(QFileDialog::AcceptSave);
        SaveDialog1_->setFileMode(QFileDialog::AnyFile);
        SaveDialog1_->setDefaultSuffix(QStringLiteral("wav"));
        SaveDialog1_->setNameFilters({QStringLiteral("ＷＡＶ files (*.WAV *.wav)"), QStringLiteral("ALL files (*)")});
        SaveDialog1_->setOption(QFileDialog::DontUseNativeDialog);
    }
    SaveDialog1_->setDirectory(folder);
    SaveDialog1_->selectFile(fileName);
    if (SaveDialog1_->exec() != QDialog::Accepted || SaveDialog1_->selectedFiles().isEmpty()) return std::nullopt;
    return SaveDialog1_->selectedFiles().constFirst();
}

}  // namespace sondex

namespace sondex {

void WindowPrompts::busyCursor(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

}  // namespace sondex
