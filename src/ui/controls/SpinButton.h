#pragma once

#include <QWidget>

class QToolButton;

namespace sondex {

// Two small arrow buttons, one above the other. Each click, and each step of
// auto-repeat while a button is held, emits one upClick() or downClick().
class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void upClick();
    void downClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace sondex
