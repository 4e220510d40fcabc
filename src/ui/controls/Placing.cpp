#include "ui/controls/Placing.h"

#include "ui/controls/SpinButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace sondex::build {

namespace {

template <typename W>
W* place(W* widget, const char* name, QRect geometry, const char* hint) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    if (hint) widget->setToolTip(QString::fromUtf8(hint));
    return widget;
}

}  // namespace

QLabel* label(QWidget* parent, const char* name, const char* text, QRect geometry, const char* hint) {
    return place(new QLabel(QString::fromUtf8(text), parent), name, geometry, hint);
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, QRect geometry, const char* hint) {
    return place(new QPushButton(QString::fromUtf8(caption), parent), name, geometry, hint);
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, QRect geometry, const char* hint) {
    auto* box = place(new QCheckBox(QString::fromUtf8(caption), parent), name, geometry, hint);
    // The recorder colours its check boxes (recording, repeat) through the
    // window colour; a button's own background role would hide it.
    box->setBackgroundRole(QPalette::Window);
    return box;
}

QComboBox* comboBox(QWidget* parent, const char* name, QRect geometry, const char* hint) {
    return place(new QComboBox(parent), name, geometry, hint);
}

QListWidget* listBox(QWidget* parent, const char* name, QRect geometry, const char* hint) {
    auto* list = place(new QListWidget(parent), name, geometry, hint);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return list;
}

QFrame* panel(QWidget* parent, const char* name, QRect geometry) {
    auto* frame = place(new QFrame(parent), name, geometry, nullptr);
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

SpinButton* spinButton(QWidget* parent, const char* name, QRect geometry, const char* hint) {
    return place(new SpinButton(parent), name, geometry, hint);
}

}  // namespace sondex::build
