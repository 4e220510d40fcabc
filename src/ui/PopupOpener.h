#pragma once

#include <QHash>
#include <QObject>

class QMenu;
class QWidget;

namespace sondex {

struct RecorderFlags;

// Opens a pop-up menu when a component is pressed with the given mouse
// buttons, unless a message box is on screen. The press sets the busy flag;
// the menu's own opening clears it again.
class PopupOpener : public QObject {
    Q_OBJECT
public:
    PopupOpener(RecorderFlags& flags, QObject* parent);

    void attach(QWidget* component, QMenu* menu, Qt::MouseButtons buttons = Qt::RightButton);
    // Opens the menu at a global position under the same rules; false when refused.
    bool open(QMenu* menu, const QPoint& globalPos);
    // The menu's opening clears the busy flag (attach does this for its menus).
    void clearsBusyOnOpening(QMenu* menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        QMenu* menu;
        Qt::MouseButtons buttons;
    };
    RecorderFlags& flags_;
    QHash<QObject*, Binding> bindings_;
};

}  // namespace sondex
