#pragma once

#include "core/RecordingSession.h"
#include "core/Switches.h"

#include <QtGlobal>

namespace sondex {

// What every kind of recording (manual, CD, music, timer) offers the window,
// which loops over them at the start-up, for command lines, for the "another
// recording is armed or running" guards, for device notices and at the close.
// A kind keeps its own state; the window never reads it back from a widget.
class RecordingController {
public:
    virtual ~RecordingController() = default;

    virtual RecordingKind kind() const = 0;

    // The deferred start-up: read the kind's lists.
    virtual void loadLists() {}
    // A command line asks for something (start-up or forwarded).
    virtual void applySwitches(const SwitchRequest& request, SwitchSource source) {
        Q_UNUSED(request);
        Q_UNUSED(source);
    }
    // The automatic start at the end of the start-up; true when this kind started.
    virtual bool runAutomaticStart(const SwitchRequest& startup) {
        Q_UNUSED(startup);
        return false;
    }
    // Armed to record or running: other kinds' panels must not open meanwhile.
    virtual bool isRunActive() const = 0;
    // A device notice (MM_MCINOTIFY, or 1034 and 1035 through the relays); true when it was this kind's.
    virtual bool onDeviceNotice(int message, qint64 wParam, qint64 lParam) {
        Q_UNUSED(message);
        Q_UNUSED(wParam);
        Q_UNUSED(lParam);
        return false;
    }
    // The close: save a running recording, then write the lists.
    virtual void saveRunning() = 0;
    virtual void saveLists() {}
};

}  // namespace sondex
