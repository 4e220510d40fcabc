#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace sondex::test {

// A sound server of our own for one test program (or benchmark): a null sink
// whose monitor is the default source, so what is played into the sink is
// what a recording captures. Like a desktop's server it remembers each
// stream's volume and mute by its restore id (module-stream-restore). It
// listens on a socket in a temporary folder and never meets the machine's
// own sound server; it runs as root too.
class PrivatePulseServer {
public:
    PrivatePulseServer();
    ~PrivatePulseServer();
    PrivatePulseServer(const PrivatePulseServer&) = delete;
    PrivatePulseServer& operator=(const PrivatePulseServer&) = delete;

    // Starts the server and waits until it answers; false with a reason in failure().
    // With suspendWhenIdle the sink and its monitor suspend after a second
    // without streams, as on a desktop; otherwise the idle sink keeps running
    // at its default latency (blocks of two seconds). The sink runs at sinkRate;
    // streams at another rate are resampled for it.
    bool start(bool suspendWhenIdle = false, int sinkRate = 44100);
    void stop();
    // Kills the server at once (SIGKILL), as a crash would.
    void kill();

    bool isRunning() const { return process_.state() == QProcess::Running; }
    QString failure() const { return failure_; }
    QString address() const { return QStringLiteral("unix:") + socketPath(); }
    QString sinkName() const { return QStringLiteral("sondex_test_sink"); }
    QString folder() const { return dir_.path(); }
    qint64 processId() const { return process_.processId(); }

    // Points this process's sound clients at the server (PULSE_SERVER).
    void applyToThisProcess() const;
    // The environment for a client program (paplay, parecord) of this server.
    QProcessEnvironment clientEnvironment() const;

private:
    QString socketPath() const { return dir_.path() + QStringLiteral("/pulse.sock"); }
    bool waitUntilAnswering(int timeoutMs);

    QTemporaryDir dir_;
    QProcess process_;
    QString failure_;
};

}  // namespace sondex::test
