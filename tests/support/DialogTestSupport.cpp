#include "support/DialogTestSupport.h"

#include "ui/dialogs/TMKBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace sondex::test {

BoxTextWatch::BoxTextWatch() { qApp->installEventFilter(this); }

bool BoxTextWatch::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::Show && qobject_cast<TMKBox*>(object)) {
        if (const auto* memo = object->findChild<QTextEdit*>(QStringLiteral("MemoMsg"))) texts.append(memo->toPlainText());
    }
    return false;
}

void onNextModal(std::function<void(QWidget*)> act) {
    const QPointer<QWidget> before = QApplication::activeModalWidget();
    const QDeadlineTimer deadline(5000);
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, before, deadline, act] {
        QWidget* top = QApplication::activeModalWidget();
        const bool opened = top != nullptr && top != before.data() && top->isVisible();
        if (!opened && !deadline.hasExpired()) return;
        poll->stop();
        poll->deleteLater();
        // The action may open a nested box; keep it alive past the timer.
        const std::function<void(QWidget*)> keep = act;
        if (opened) {
            keep(top);
        } else {
            ADD_FAILURE() << "no dialog opened";
        }
    });
    poll->start(5);
}

void click(QWidget* dialog, const char* buttonName) {
    auto* button = child<QAbstractButton>(dialog, buttonName);
    ASSERT_NE(button, nullptr) << buttonName;
    button->click();
}

}  // namespace sondex::test
