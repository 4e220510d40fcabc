#pragma once

#include "core/Identity.h"

#include <QString>
#include <QStringList>

class QApplication;

namespace sondex {

// Where the per-user locks and sockets of the two windows live.
struct InstanceFiles {
    QString entryLock;      // held only while a start decides what it becomes
    QString recorderLock;   // held by the running recorder
    QString recorderSocket; // receives forwarded lines
    QString setupLock;      // held by the setup window

    static InstanceFiles inRuntimeFolder();
};

// "/uninstall" while the recorder or the setup window runs is refused (999).
RunMode refineRunMode(RunMode mode, const InstanceFiles& files);

// Arguments joined by "?" in order (no arguments: the empty text).
QString joinForwardedArguments(const QStringList& arguments);

// Decides what this process becomes and runs it: the setup window, a
// forwarder to the running recorder, or the recorder itself.
class ProgramEntry {
public:
    ProgramEntry(QStringList arguments, QString invokedAs);
    int run(QApplication& app);

private:
    // The caller holds the setup lock while the window runs.
    int runSetup(QApplication& app, const Identity& identity, RunMode mode);

    QStringList arguments_;
    QString invokedAs_;
};

}  // namespace sondex
