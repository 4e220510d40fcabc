#pragma once

#include "platform/mci/CommandEngine.h"
#include "platform/mci/Device.h"
#include "platform/mci/EngineOptions.h"
#include "platform/mci/OpenRequest.h"

#include <QHash>

#include <functional>
#include <map>
#include <memory>

namespace sondex::mci {

// The device engine: parses command strings, keeps the device table by alias
// (letter case ignored) and hands each command to its device. Device ids
// start at 1. Lives on one thread (the GUI thread); devices do their audio
// work on threads of their own and report back here.
//
//   Engine engine;                      // or Engine(EngineOptions{...})
//   QString reply;
//   engine.sendString(u"open \"/t/sondex.wav\" alias tavikREC buffer 4 wait"_s, reply, {});
//   engine.sendString(u"record tavikREC notify"_s, reply, {window, deliver});
//
// Notices of notify commands reach NoticeTarget::deliver on the receiver's
// thread as queued calls, never from inside sendString: 1 when the command
// completes (at once for most commands, at the size limit for a recording),
// 2 when a later notify command to the same device supersedes it, 4 when
// stop or close cuts it short, 8 when it fails.
class Engine final : public CommandEngine {
public:
    // Makes a device of one kind for an open command; sets error when it cannot.
    using DeviceFactory = std::function<std::unique_ptr<Device>(
        qint64 id, const OpenRequest& request, const EngineOptions& options, Error& error)>;

    explicit Engine(EngineOptions options = {});
    ~Engine() override;
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    int sendString(const QString& command, QString& reply, const NoticeTarget& target) override;
    QString errorText(int code) const override;

    // The CD unit that "open cdaudio" without an element opens from now on;
    // a null letter means the first unit in letter order.
    void setDefaultCdUnit(QChar letter);
    // Whether recordings opened from now on record the engine's own playback.
    void setRecordOwnPlayback(bool on) { options_.recordOwnPlayback = on; }

    // Installs the device kind that opens the given type ("cdaudio", "sequencer", ...).
    void addDeviceKind(const QString& typeName, DeviceFactory factory);

private:
    Error open(const Command& command, const NoticeTarget& target);
    Error close(const Command& command, const NoticeTarget& target);
    Error execute(const Command& command, QString& reply, const NoticeTarget& target);
    void closeDevice(const QString& key);

    EngineOptions options_;
    QHash<QString, DeviceFactory> kinds_;
    std::map<QString, std::unique_ptr<Device>> devices_;  // by lower-case alias
    qint64 nextDeviceId_ = 1;
};

}  // namespace sondex::mci
