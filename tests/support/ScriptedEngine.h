#pragma once

#include "platform/mci/CommandEngine.h"

#include <QList>
#include <QMetaObject>
#include <QStringList>

namespace sondex::test {

// A device engine that logs every command and answers from a script, so tests
// can check the exact command sequences the recorder sends.
class ScriptedEngine final : public mci::CommandEngine {
public:
    struct Answer {
        int result = 0;
        QString reply;
    };

    // Commands starting with the prefix get this answer from now on; a later
    // rule for the same commands wins.
    void answer(const QString& commandPrefix, Answer answer) { rules_.prepend({commandPrefix, answer}); }

    int sendString(const QString& command, QString& reply, const mci::NoticeTarget& target) override {
        sent.append(command);
        targets.append(target);
        for (const auto& [prefix, scripted] : rules_) {
            if (command.startsWith(prefix)) {
                reply = scripted.reply;
                return scripted.result;
            }
        }
        reply.clear();
        return 0;
    }

    QString errorText(int code) const override { return QStringLiteral("  エラー番号%1です。 ").arg(code); }

    // Posts a completion notice the way a device does: later, through the event loop.
    static void postNotice(const mci::NoticeTarget& target, qint64 code, qint64 deviceId) {
        QMetaObject::invokeMethod(
            target.receiver.data(), [target, code, deviceId] { target.deliver(code, deviceId); },
            Qt::QueuedConnection);
    }

    QStringList sent;
    QList<mci::NoticeTarget> targets;

private:
    QList<QPair<QString, Answer>> rules_;
};

}  // namespace sondex::test
