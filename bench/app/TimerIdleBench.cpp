// What the recorder costs while the time-of-day timer waits: the whole program
// started as a user leaves it (timer running, its only entry eight hours
// away), on a sound server whose sink suspends when idle, with the process's
// CPU time read from outside every minute. The first minute after the window
// is shown is start-up and is left out.
//
//   sondex-timer-idle-bench [seconds]      (default 600)
#include "ProcessFigures.h"
#include "support/PrivateHome.h"
#include "support/pulse/PrivatePulseServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTime>

#include <algorithm>
#include <cstdio>

using namespace sondex;

// SONDEX_BINARY in the environment measures another build of the recorder.
static QString recorderBinary() { return qEnvironmentVariable("SONDEX_BINARY", QStringLiteral(SONDEX_BINARY)); }

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The recorder's settings and its day list: one entry that starts in eight hours.
bool prepareHome(const test::PrivateHome& home) {
    const QString folder = home.root() + QStringLiteral("/rec/");
    const QString programFolder = home.dataHome() + QStringLiteral("/TAVIK SOFT32/SONDEX/");
    if (!QDir().mkpath(folder) || !QDir().mkpath(programFolder) ||
        !QDir().mkpath(home.configHome() + QStringLiteral("/TAVIK SOFT32")))
        return false;
    const QTime start = QTime::currentTime().addSecs(8 * 3600);
    const QByteArray entry = start.toString(QStringLiteral("hh:mm")).toLatin1() + '-' +
                             start.addSecs(600).toString(QStringLiteral("hh:mm")).toLatin1() + " E 44S16\r\n";
    return writeFile(home.settingsFile(), "[SONDEX]\nVersion=22\nSetNowTime_Select=0\nREC_MAX=0\nJK=" +
                                              QStringLiteral("実行中").toUtf8() + "\nTM_Mode=0\nTDAY_S=DAY000\nTEMPALL=" +
                                              QFile::encodeName(folder) + "\n") &&
           writeFile(programFolder + QStringLiteral("DAY000.day"), entry);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(60, atoi(argv[1])) : 600;
    const test::PrivateHome home;
    test::PrivatePulseServer server;
    if (!server.start(true, 44100)) {
        std::fprintf(stderr, "no sound server: %s\n", qPrintable(server.failure()));
        return 1;
    }
    if (!prepareHome(home)) {
        std::fprintf(stderr, "cannot write the settings or the day list\n");
        return 1;
    }
    QProcessEnvironment env = home.environment();
    env.insert(QStringLiteral("PULSE_SERVER"), server.address());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("sondex.startup=true"));
    QProcess recorder;
    recorder.setProcessEnvironment(env);
    recorder.start(recorderBinary(), {});
    if (!recorder.waitForStarted()) return 1;
    QElapsedTimer clock;
    clock.start();
    QByteArray seen;
    while (!seen.contains("start-up finished") && clock.elapsed() < 20000) {
        recorder.waitForReadyRead(50);
        seen += recorder.readAllStandardError();
    }
    if (!seen.contains("start-up finished")) {
        std::fprintf(stderr, "the recorder never finished its start-up\n");
        return 1;
    }
    QThread::sleep(60);
    const qint64 pid = recorder.processId();
    const qint64 first = bench::processCpuNanosecondsOf(pid);
    std::printf("second  recorder-cpu-ms  recorder-rss-KiB  (timer waiting, next start 8 h away)\n");
    qint64 last = first;
    for (int s = 60; s <= seconds; s += 60) {
        QThread::sleep(60);
        last = bench::processCpuNanosecondsOf(pid);
        std::printf("%6d  %15.1f  %16lld\n", s, (last - first) / 1e6, bench::residentKiBOf(pid));
        std::fflush(stdout);
    }
    recorder.kill();
    recorder.waitForFinished(5000);
    const double ms = (last - first) / 1e6;
    std::printf("recorder CPU while waiting: %.1f ms over %d s (%.4f %% of a core; target under 60 ms)\n", ms, seconds,
                ms / (seconds * 10.0));
    return 0;
}
