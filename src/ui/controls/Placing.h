#pragma once

#include <QRect>
#include <QString>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace sondex {
class SpinButton;
}

// Small helpers that place a named component at fixed pixels inside its parent,
// the way the recorder's compact window is laid out.
namespace sondex::build {

QLabel* label(QWidget* parent, const char* name, const char* text, QRect geometry, const char* hint = nullptr);
QPushButton* button(QWidget* parent, const char* name, const char* caption, QRect geometry,
                    const char* hint = nullptr);
QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, QRect geometry,
                    const char* hint = nullptr);
QComboBox* comboBox(QWidget* parent, const char* name, QRect geometry, const char* hint = nullptr);
QListWidget* listBox(QWidget* parent, const char* name, QRect geometry, const char* hint = nullptr);
QFrame* panel(QWidget* parent, const char* name, QRect geometry);
SpinButton* spinButton(QWidget* parent, const char* name, QRect geometry, const char* hint = nullptr);

}  // namespace sondex::build
