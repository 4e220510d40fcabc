#pragma once

#include "ui/tray/TrayBackend.h"

#include <QHash>
#include <QObject>

class QSystemTrayIcon;

namespace sondex {

// The notification area through QSystemTrayIcon: a StatusNotifierItem on
// desktops that host them, an XEmbed icon on older X11 panels.
class QtTrayBackend final : public QObject, public TrayBackend {
    Q_OBJECT
public:
    explicit QtTrayBackend(QObject* parent = nullptr);
    ~QtTrayBackend() override;

    bool available() const override;
    void add(int id, const QIcon& icon, const QString& tip) override;
    void modify(int id, const QIcon& icon, const QString& tip) override;
    void remove(int id) override;

private:
    QHash<int, QSystemTrayIcon*> icons_;
};

}  // namespace sondex
