#pragma once

#include <QObject>

#include <functional>

namespace sondex {

// Hides every tool tip of the program while the tool-tip setting is off.
class ToolTipSwitch : public QObject {
    Q_OBJECT
public:
    ToolTipSwitch(std::function<bool()> shown, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool()> shown_;
};

}  // namespace sondex
