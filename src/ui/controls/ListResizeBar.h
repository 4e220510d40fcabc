#pragma once

#include <QWidget>

namespace sondex {

// A thin grip on top of a list panel. Releasing the mouse after a vertical
// drag moves the panel's top edge by the distance dragged, keeping the top at
// least 5 pixels down and the panel at least 30 pixels high; its bottom stays.
class ListResizeBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 3;
    static constexpr int kMinTop = 5;
    static constexpr int kMinHeight = 30;

    ListResizeBar(QWidget* target, QWidget* parent);

    // Moves the target's top edge by dy under the rules above.
    void moveTargetTop(int dy);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QWidget* target_;
    int pressY_ = 0;
};

}  // namespace sondex
