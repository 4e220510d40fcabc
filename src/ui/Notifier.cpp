#include "ui/Notifier.h"

#include <QMessageBox>

namespace sondex {

void MessageBoxNotifier::notice(QWidget* owner, const QString& caption, const QString& text) {
    QMessageBox::information(owner, caption, text);
}

}  // namespace sondex
