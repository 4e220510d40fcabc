#pragma once

#include "support/ScriptedEngine.h"

namespace sondex::test {

// A scripted engine whose device under `alias` ends a play with notify the
// way a real one does: notice 1 when the test lets it play out (finish(1)),
// 4 when it is stopped or closed, 2 when another play replaces it.
class PlayingDevice final : public mci::CommandEngine {
public:
    explicit PlayingDevice(QString alias) : alias_(u' ' + std::move(alias)) {}

    int sendString(const QString& command, QString& reply, const mci::NoticeTarget& target) override {
        const bool mine = command.contains(alias_, Qt::CaseInsensitive);
        if (mine && (command.startsWith(u"stop") || command.startsWith(u"close"))) finish(4);
        if (mine && command.startsWith(u"play")) finish(2);
        const int result = script.sendString(command, reply, target);
        if (result == 0 && mine && command.startsWith(u"play") && command.endsWith(u" notify")) playing = target;
        return result;
    }
    QString errorText(int code) const override { return script.errorText(code); }
    void finish(qint64 code) {
        if (!playing.isSet()) return;
        ScriptedEngine::postNotice(playing, code, 1);
        playing = {};
    }

    ScriptedEngine script;
    mci::NoticeTarget playing;

private:
    QString alias_;
};

}  // namespace sondex::test
