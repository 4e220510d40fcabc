#include "ui/dialogs/DialogFrame.h"

#include "ui/dialogs/DialogHost.h"
#include "ui/controls/WorkArea.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace sondex {
namespace {

std::optional<QRect> screenRectOf(const QWidget* owner) {
    if (owner == nullptr) return std::nullopt;
    if (owner->isWindow()) return owner->frameGeometry();
    return QRect(owner->mapToGlobal(QPoint(0, 0)), owner->size());
}

QRect workAreaFor(const std::optional<QRect>& ownerRect, const QWidget* owner) {
    QScreen* screen = ownerRect ? QGuiApplication::screenAt(ownerRect->center()) : nullptr;
    if (screen == nullptr && owner != nullptr) screen = owner->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

// Decorations are not known before a window is first mapped; the owner's own
// decorations are the best guess for the dialog's.
QSize frameSizeGuess(const QWidget& dialog, const QWidget* owner) {
    QSize size = dialog.frameGeometry().size();
    if (size == dialog.size() && owner != nullptr && owner->isWindow() && owner->isVisible()) {
        size += owner->frameGeometry().size() - owner->geometry().size();
    }
    return size;
}

}  // namespace

QPoint centredInWorkArea(const std::optional<QRect>& ownerRect, QSize frameSize,
                         const QRect& workArea) {
    const QRect around = ownerRect.value_or(workArea);
    const QPoint centred(around.left() + (around.width() - frameSize.width()) / 2,
                         around.top() + (around.height() - frameSize.height()) / 2);
    return clampIntoWorkArea(centred, frameSize, workArea);
}

void placeOver(QWidget& dialog, const QWidget* owner) {
    dialog.adjustSize();
    const std::optional<QRect> ownerRect = screenRectOf(owner);
    dialog.move(
        centredInWorkArea(ownerRect, frameSizeGuess(dialog, owner), workAreaFor(ownerRect, owner)));
}

void dressDialog(QWidget& dialog, const QString& title, const DialogHost& host) {
    dialog.setWindowTitle(title.isEmpty() ? host.programTitle() : title);
    if (host.toolTipsShown()) return;
    dialog.setToolTip(QString());
    for (QWidget* child : dialog.findChildren<QWidget*>()) child->setToolTip(QString());
}

bool wearHostColours(QWidget& dialog, const DialogHost& host, bool fields) {
    const QColor background = host.backgroundColour();
    const QColor text = host.textColour();
    if (!background.isValid() || !text.isValid()) return false;
    QPalette look = dialog.palette();
    if (look.color(QPalette::Window) == background && look.color(QPalette::WindowText) == text) return false;
    look.setColor(QPalette::Window, background);
    look.setColor(QPalette::WindowText, text);
    if (fields) {
        look.setColor(QPalette::Base, background);
        look.setColor(QPalette::Text, text);
    }
    dialog.setPalette(look);
    return true;
}

}  // namespace sondex
