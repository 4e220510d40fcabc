#pragma once

#include "ui/tray/TrayBackend.h"

#include <QStringList>

namespace sondex::test {

// A notification area that notes what it is asked ("add 1 tip",
// "modify 1 tip", "remove 1") and reports the mouse messages a test sends.
class FakeTray final : public TrayBackend {
public:
    bool available() const override { return hasTray; }
    void add(int id, const QIcon&, const QString& tip) override {
        calls << QStringLiteral("add %1 %2").arg(id).arg(tip);
    }
    void modify(int id, const QIcon&, const QString& tip) override {
        calls << QStringLiteral("modify %1 %2").arg(id).arg(tip);
    }
    void remove(int id) override { calls << QStringLiteral("remove %1").arg(id); }

    void send(int id, TrayMouse message, QPoint at = {}) const {
        report(id, static_cast<int>(message), at);
    }
    void send(int id, int rawMessage) const { report(id, rawMessage, {}); }

    bool hasTray = true;
    QStringList calls;
};

}  // namespace sondex::test
