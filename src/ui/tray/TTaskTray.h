#pragma once

#include <QIcon>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

namespace sondex {

class TTaskTray;
class TrayBackend;

// The program's tray icons: the ids in use, in the order the icons were
// made, and the one door through which the backend's mouse reports reach
// them. A report that comes while another is being handled (a menu open
// from it runs its own event loop) is dropped.
// It outlives its icons, and the backend outlives it.
class TrayIcons {
public:
    explicit TrayIcons(TrayBackend& backend);
    ~TrayIcons();
    TrayIcons(const TrayIcons&) = delete;
    TrayIcons& operator=(const TrayIcons&) = delete;

    TrayBackend& backend() const { return backend_; }
    TTaskTray* find(int id) const;
    void notify(int id, int mouseMessage, QPoint globalPos);

private:
    friend class TTaskTray;
    int nextId() const;

    TrayBackend& backend_;
    QList<TTaskTray*> icons_;
    bool dispatching_ = false;
};

// One icon in the notification area. `Registered` says the icon is wanted
// there; it shows while it is wanted and has a picture. The tip is cut to
// 63 UTF-8 bytes. The failing setters return the message for the caller to
// show, empty on success, and leave everything as it was on failure.
class TTaskTray : public QObject {
    Q_OBJECT
public:
    // The owner window comes to the front on a press, so a menu opened from
    // the icon closes when the user clicks elsewhere.
    TTaskTray(TrayIcons& icons, QWidget* owner);
    ~TTaskTray() override;

    QMenu* PopupMenuL() const { return popupL_; }
    void setPopupMenuL(QMenu* menu) { popupL_ = menu; }
    QMenu* PopupMenuR() const { return popupR_; }
    void setPopupMenuR(QMenu* menu) { popupR_ = menu; }

    QString TipString() const { return tip_; }
    void setTipString(const QString& tip);

    QIcon Icon() const { return icon_; }
    // A null icon takes the icon out of the tray and clears `Registered`.
    void setIcon(const QIcon& icon);

    int IconID() const { return id_; }
    [[nodiscard]] QString setIconID(int id);

    bool Registered() const { return registered_; }
    [[nodiscard]] QString setRegistered(bool registered);

    // True while the icon is in the tray.
    bool isAdded() const { return added_; }

signals:
    void OnDblClick(Qt::MouseButton button);
    void OnMouseMove(Qt::MouseButtons shift, QPoint globalPos);
    void OnMouseDown(Qt::MouseButton button, Qt::MouseButtons shift, QPoint globalPos);
    void OnMouseUp(Qt::MouseButton button, Qt::MouseButtons shift, QPoint globalPos);

private:
    friend class TrayIcons;
    void update();
    void unregister();
    void mouseDown(Qt::MouseButton button, QPoint globalPos);

    TrayIcons& icons_;
    QPointer<QWidget> owner_;
    QPointer<QMenu> popupL_;
    QPointer<QMenu> popupR_;
    QString tip_;
    QIcon icon_;
    int id_ = 0;
    bool registered_ = false;
    bool added_ = false;
};

}  // namespace sondex
