#include "support/pulse/PrivatePulseServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace sondex::test {

namespace {

constexpr int kStartTimeoutMs = 10000;

bool socketAccepts(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address{};
    if (size_t(native.size()) >= sizeof(address.sun_path)) return false;
    address.sun_family = AF_UNIX;
    memcpy(address.sun_path, native.constData(), size_t(native.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

PrivatePulseServer::PrivatePulseServer() : dir_(QDir::tempPath() + QStringLiteral("/sondex-pa-XXXXXX")) {
    process_.setProcessChannelMode(QProcess::MergedChannels);
}

PrivatePulseServer::~PrivatePulseServer() { stop(); }

bool PrivatePulseServer::start(bool suspendWhenIdle, int sinkRate) {
    stop();
    const QString root = dir_.path();
    for (const char* sub : {"/home", "/run", "/state"}) QDir().mkpath(root + QLatin1String(sub));
    QFile::setPermissions(root + QStringLiteral("/run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::remove(socketPath());

    // The socket module comes last, so that an answering socket means a ready server.
    QFile script(root + QStringLiteral("/server.pa"));
    if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        failure_ = QStringLiteral("cannot write the server script");
        return false;
    }
    script.write(QStringLiteral("load-module module-null-sink sink_name=%1 rate=%4 channels=2\n"
                                "set-default-sink %1\n"
                                "set-default-source %1.monitor\n"
                                "%3"
                                "load-module module-stream-restore\n"
                                "load-module module-native-protocol-unix socket=%2 auth-anonymous=1\n")
                     .arg(sinkName(), socketPath(),
                          suspendWhenIdle ? QStringLiteral("load-module module-suspend-on-idle timeout=1\n")
                                          : QString())
                     .arg(sinkRate)
                     .toUtf8());
    script.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), root + QStringLiteral("/home"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("/run"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/home/.config"));
    env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), root + QStringLiteral("/run/pulse"));
    env.insert(QStringLiteral("PULSE_STATE_PATH"), root + QStringLiteral("/state"));
    env.remove(QStringLiteral("PULSE_SERVER"));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    process_.setProcessEnvironment(env);
    // A test process killed outright (the fault tests do that) takes its
    // server with it rather than leave it running.
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    // --system=no with a private HOME lets root run a per-user server.
    process_.start(QStringLiteral("pulseaudio"),
                   {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                    QStringLiteral("--system=no"), QStringLiteral("--exit-idle-time=-1"),
                    QStringLiteral("--use-pid-file=no"), QStringLiteral("--realtime=no"),
                    QStringLiteral("--high-priority=no"), QStringLiteral("--log-target=stderr"),
                    QStringLiteral("--log-level=error"), QStringLiteral("-F"), script.fileName()});
    if (!process_.waitForStarted(kStartTimeoutMs)) {
        failure_ = QStringLiteral("pulseaudio did not start: ") + process_.errorString();
        return false;
    }
    if (!waitUntilAnswering(kStartTimeoutMs)) {
        failure_ = QStringLiteral("pulseaudio did not answer: ") +
                   QString::fromLocal8Bit(process_.readAll());
        stop();
        return false;
    }
    return true;
}

bool PrivatePulseServer::waitUntilAnswering(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (process_.state() != QProcess::Running) return false;
        if (socketAccepts(socketPath())) return true;
        QThread::msleep(20);
    }
    return false;
}

void PrivatePulseServer::stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void PrivatePulseServer::kill() {
    if (process_.state() == QProcess::NotRunning) return;
    ::kill(pid_t(process_.processId()), SIGKILL);
    process_.waitForFinished(5000);
}

void PrivatePulseServer::applyToThisProcess() const {
    qputenv("PULSE_SERVER", QFile::encodeName(address()));
}

QProcessEnvironment PrivatePulseServer::clientEnvironment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), address());
    return env;
}

}  // namespace sondex::test
