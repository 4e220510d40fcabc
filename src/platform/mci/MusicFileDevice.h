#pragma once

#include "platform/mci/Device.h"
#include "platform/mci/EngineOptions.h"
#include "platform/mci/FilePlayer.h"
#include "platform/mci/MusicFileSource.h"
#include "platform/mci/OpenRequest.h"

#include <memory>

namespace sondex::mci {

// The music file player: a file the sound file library reads (AIFF, AU and
// the like), played in its own rate and channels by a FilePlayer. Positions
// and lengths are in milliseconds.
class MusicFileDevice final : public Device {
public:
    static std::unique_ptr<Device> open(qint64 id, const OpenRequest& request,
                                        const EngineOptions& options, Error& error);
    ~MusicFileDevice() override;

    Outcome execute(const Command& command, QString& reply) override;
    void close() override;

private:
    MusicFileDevice(qint64 id, const QString& path, const MusicFileFacts& facts,
                    const EngineOptions& options);

    Error status(const Command& command, QString& reply);

    MusicFileFacts facts_;
    FilePlayer player_;
};

}  // namespace sondex::mci
