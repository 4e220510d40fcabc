#include "shell/SetupPrompts.h"

#include "ui/dialogs/TMKBoxDlg.h"

#include <QApplication>
#include <QPalette>

namespace sondex {

SetupBoxPrompts::SetupBoxPrompts()
    : box_(std::make_unique<TMKBoxDlg>(static_cast<DialogHost&>(*this))) {
    box_->setTimer(false);
}

void SetupBoxPrompts::setWindow(QWidget* window) {
    window_ = window;
    box_->setSourceHandle(window);
}

SetupBoxPrompts::~SetupBoxPrompts() = default;

void SetupBoxPrompts::notice(const QString& text) {
    box_->MsgBox(text);
}

bool SetupBoxPrompts::ask(const QString& text) {
    return box_->MsgBoxYN(text) == BoxAnswer::Yes;
}

void SetupBoxPrompts::setTitle(const QString& title) {
    title_ = title;
    box_->setTitle(title);
}

QColor SetupBoxPrompts::backgroundColour() const {
    return (window_ ? window_->palette() : QApplication::palette()).color(QPalette::Window);
}

QColor SetupBoxPrompts::textColour() const {
    return (window_ ? window_->palette() : QApplication::palette()).color(QPalette::WindowText);
}

}  // namespace sondex
