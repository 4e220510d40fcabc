#pragma once

#include <QIcon>
#include <QPoint>
#include <QString>

#include <functional>
#include <utility>

namespace sondex {

// The mouse messages an icon in the notification area reports.
enum class TrayMouse : int {
    Move = 0x200,
    LeftDown = 0x201,
    LeftUp = 0x202,
    LeftDoubleClick = 0x203,
    RightDown = 0x204,
    RightUp = 0x205,
    RightDoubleClick = 0x206,
    MiddleDown = 0x207,
    MiddleUp = 0x208,
};

// What the desktop's notification area does for the tray icons: add an
// icon under an id, change its picture and tip, remove it, and report the
// mouse on it. An empty tip means the icon has none. Tests put a double here.
class TrayBackend {
public:
    // The icon's id, the mouse message (values other than TrayMouse's are
    // possible and ignored) and the pointer's position on the screen.
    using Listener = std::function<void(int id, int mouseMessage, QPoint globalPos)>;

    virtual ~TrayBackend() = default;
    // False where the desktop has no notification area.
    virtual bool available() const = 0;
    virtual void add(int id, const QIcon& icon, const QString& tip) = 0;
    virtual void modify(int id, const QIcon& icon, const QString& tip) = 0;
    virtual void remove(int id) = 0;

    void setListener(Listener listener) { listener_ = std::move(listener); }

protected:
    void report(int id, int mouseMessage, QPoint globalPos) const {
        if (listener_) listener_(id, mouseMessage, globalPos);
    }

private:
    Listener listener_;
};

}  // namespace sondex
