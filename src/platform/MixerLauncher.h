#pragma once

namespace sondex {

// The package that brings the desktop's sound mixer, named when it is missing.
inline constexpr char kMixerPackage[] = "pavucontrol";

// Starts the desktop's sound mixer on one of its pages. Tests put a double in
// its place, so no test opens a window of the machine's mixer.
class MixerLauncher {
public:
    enum class Tab { Playback, Recording, OutputDevices, InputDevices, Configuration };
    enum class Launch {
        Started,
        Missing,  // the mixer is not installed
        Failed,   // installed, but it could not be started
    };

    virtual ~MixerLauncher() = default;
    virtual bool isInstalled() const = 0;
    // Large: the mixer fills the screen; otherwise it opens in its own size.
    virtual Launch open(Tab tab, bool large) = 0;
};

// pavucontrol, found on PATH and started on its own, so it outlives the recorder.
class PavucontrolLauncher final : public MixerLauncher {
public:
    bool isInstalled() const override;
    Launch open(Tab tab, bool large) override;
};

// One for the program: it keeps no state.
MixerLauncher& systemMixer();

}  // namespace sondex
