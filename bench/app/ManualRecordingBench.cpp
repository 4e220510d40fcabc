// A long unattended manual recording of the whole recorder, window shown on
// the offscreen platform, beside parecord on the same source: CPU time of
// both in nanoseconds and the recorder's resident memory, minute by minute.
//
//   sondex-recorder-bench [minutes]      (default 10)
#include "ProcessFigures.h"
#include "support/PrivateHome.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/TonePlayer.h"
#include "support/pulse/WavFacts.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <cstdio>

using namespace sondex;

// SONDEX_BINARY in the environment measures another build of the recorder.
static QString recorderBinary() { return qEnvironmentVariable("SONDEX_BINARY", QStringLiteral(SONDEX_BINARY)); }

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int minutes = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    const test::PrivateHome home;
    test::PrivatePulseServer server;
    if (!server.start()) {
        std::fprintf(stderr, "no sound server: %s\n", qPrintable(server.failure()));
        return 1;
    }
    // A sound card's period rather than the tests' short blocks.
    test::TonePlayer tone(server, 1000, 0.5, minutes * 60 + 30, 100);
    if (!tone.start()) return 1;

    const QString folder = home.root() + QStringLiteral("/rec");
    QDir().mkpath(folder);
    QDir().mkpath(home.configHome() + QStringLiteral("/TAVIK SOFT32"));
    QFile settings(home.settingsFile());
    settings.open(QIODevice::WriteOnly);
    settings.write("[SONDEX]\nVersion=22\nNo_Memo=1\nTEMPALL=" + QFile::encodeName(folder) + "\n");
    settings.close();

    QProcessEnvironment env = home.environment();
    env.insert(QStringLiteral("PULSE_SERVER"), server.address());
    QProcess recorder;
    recorder.setProcessEnvironment(env);
    recorder.start(recorderBinary(), {QStringLiteral("/RS"), QStringLiteral("/J%1").arg(minutes * 60),
                                                   QStringLiteral("/E"), QStringLiteral("/C")});
    QProcess parecord;
    parecord.setProcessEnvironment(server.clientEnvironment());
    parecord.start(QStringLiteral("parecord"), {QStringLiteral("--file-format=wav"), home.root() + QStringLiteral("/parecord.wav")});
    if (!recorder.waitForStarted() || !parecord.waitForStarted()) return 1;

    std::printf("minute  recorder-cpu-ms  parecord-cpu-ms  ratio  recorder-rss-KiB\n");
    qint64 firstRecorder = -1;
    qint64 firstParecord = -1;
    qint64 lastRecorder = 0;
    qint64 lastParecord = 0;
    QElapsedTimer clock;
    clock.start();
    for (int minute = 0; minute <= minutes; ++minute) {
        while (clock.elapsed() < minute * 60000LL) QThread::msleep(200);
        if (recorder.state() != QProcess::Running) break;
        const qint64 r = bench::processCpuNanosecondsOf(recorder.processId());
        const qint64 p = bench::processCpuNanosecondsOf(parecord.processId());
        if (minute == 0) {
            // Start-up is not recording: count from the first full second of recording.
            QThread::msleep(2000);
            firstRecorder = bench::processCpuNanosecondsOf(recorder.processId());
            firstParecord = bench::processCpuNanosecondsOf(parecord.processId());
            std::printf("%6d  %15s  %15s  %5s  %16lld\n", 0, "-", "-", "-",
                        static_cast<long long>(bench::residentKiBOf(recorder.processId())));
            continue;
        }
        lastRecorder = r - firstRecorder;
        lastParecord = p - firstParecord;
        std::printf("%6d  %15.1f  %15.1f  %5.2f  %16lld\n", minute, lastRecorder / 1e6, lastParecord / 1e6,
                    lastParecord > 0 ? double(lastRecorder) / lastParecord : 0.0,
                    static_cast<long long>(bench::residentKiBOf(recorder.processId())));
        std::fflush(stdout);
    }
    const double seconds = (clock.elapsed() - 2000) / 1000.0;
    std::printf("recorder: %.3f%% of a core; parecord: %.3f%% of a core (over %.0f s)\n",
                100.0 * lastRecorder / (seconds * 1e9), 100.0 * lastParecord / (seconds * 1e9), seconds);
    parecord.terminate();
    parecord.waitForFinished(5000);
    recorder.waitForFinished(120000);
    const test::WavFacts facts = test::readWavFacts(folder + QStringLiteral("/wav0000.wav"));
    std::printf("saved: %s, %.2f s, exit code %d\n", facts.readable ? "yes" : "no", facts.seconds(), recorder.exitCode());
    return 0;
}
