#pragma once

#include "ui/dialogs/DialogHost.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace sondex {

// What every dialog component shares: the window that hosts it, the caption
// `Title` (empty: the program's title) and the window `SourceHandle` that
// the dialog is centred over (none: the main window).
class DialogComponent : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Title READ title WRITE setTitle)
    Q_PROPERTY(QWidget* SourceHandle READ sourceHandle WRITE setSourceHandle)
public:
    QString title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    QWidget* sourceHandle() const { return sourceHandle_; }
    void setSourceHandle(QWidget* window) { sourceHandle_ = window; }

protected:
    DialogComponent(DialogHost& host, QObject* parent) : QObject(parent), host_(host) {}

    // The title, or the program's when none is set.
    QString captionTitle() const { return title_.isEmpty() ? host_.programTitle() : title_; }
    // The window to centre over.
    QWidget* anchor() const { return sourceHandle_ ? sourceHandle_.data() : host_.mainWindow(); }

    DialogHost& host_;

private:
    QString title_;
    QPointer<QWidget> sourceHandle_;
};

// A dialog component whose lists and fields take the standard window colour
// (`StandardColor`, the default) or their parent's.
class ColouredDialogComponent : public DialogComponent {
    Q_OBJECT
    Q_PROPERTY(bool StandardColor READ standardColor WRITE setStandardColor)
public:
    bool standardColor() const { return standardColor_; }
    void setStandardColor(bool on) { standardColor_ = on; }

protected:
    using DialogComponent::DialogComponent;

private:
    bool standardColor_ = true;
};

}  // namespace sondex
