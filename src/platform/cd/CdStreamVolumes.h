#pragma once

#include <QChar>
#include <QString>

#include <memory>
#include <optional>

// How loud the sound server plays a CD unit. Unit E plays as a stream whose
// restore id is "sondex-cd-E"; the server's stream-restore module keeps the
// unit's volume and mute under that name from one play to the next.
namespace sondex::cd {

// The server's 100 %, in its own volume units; more than this amplifies.
inline constexpr quint32 kFullVolume = 0x10000;

struct StreamVolume {
    bool hasVolume = false;  // a remembered entry may keep the mute alone
    quint32 lowest = 0;      // the quietest channel
    quint32 highest = 0;     // the loudest channel
    bool muted = false;
};

// "sondex-cd-E": the restore id of the unit's stream and the name of its entry.
QString unitStreamId(QChar letter);

class CdStreamVolumes {
public:
    virtual ~CdStreamVolumes() = default;

    // The unit's remembered entry; nullopt when the server keeps none.
    virtual std::optional<StreamVolume> storedVolume(QChar letter) = 0;
    // Remembers the unit at 100 %, unmuted, keeping the device it remembers,
    // and applies that to the unit's stream if one plays.
    virtual bool storeFullVolume(QChar letter) = 0;

    // The unit's stream that plays now; nullopt when none plays.
    virtual std::optional<StreamVolume> playingVolume(QChar letter) = 0;
    virtual bool setPlayingFullVolume(QChar letter) = 0;

    // nullopt when the server does not say.
    virtual std::optional<bool> defaultSinkMuted() = 0;
    virtual bool unmuteDefaultSink() = 0;
};

// The session's sound server (PULSE_SERVER, else the user's own), asked on
// the calling thread. The object connects at its first call; from then on all
// its calls together wait at most timeoutMs. Without a server every call
// finds nothing and changes nothing.
std::unique_ptr<CdStreamVolumes> connectCdStreamVolumes(int timeoutMs = 2000);

}  // namespace sondex::cd
