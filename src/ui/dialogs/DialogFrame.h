#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

class QWidget;

namespace sondex {

class DialogHost;

// Where a window of the given frame size goes: centred over the owner's
// rectangle, or over the work area when there is none, then moved back into
// the work area, right and bottom edges first, then left and top.
QPoint centredInWorkArea(const std::optional<QRect>& ownerRect, QSize frameSize,
                         const QRect& workArea);

// Places a dialog over its owner (a window or any widget); a null owner means
// the desktop work area.
void placeOver(QWidget& dialog, const QWidget* owner);

// The caption (the title, or the application's title when it is empty) and the
// tool tips, which the main window's setting switches on or off.
void dressDialog(QWidget& dialog, const QString& title, const DialogHost& host);

// Paints the dialog in the main window's colours, its text fields too when
// `fields`; nothing changes when it already has them, so it can run at every
// paint. True when the colours changed.
bool wearHostColours(QWidget& dialog, const DialogHost& host, bool fields = false);

}  // namespace sondex
