#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace sondex {

// Makes a component that has no click of its own (a label) answer a left
// click: the action runs when the button is released over it.
class ClickWatch : public QObject {
    Q_OBJECT
public:
    static void onClick(QWidget* component, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ClickWatch(QWidget* component, std::function<void()> action);
    std::function<void()> action_;
};

}  // namespace sondex
