// Start-up time as the user lives it: from the moment the process is started
// to the moment the main window is shown, on the offscreen platform, for a
// user whose settings are complete (no first-run questions). Prints each run
// and the median.
//
//   sondex-startup-bench [runs]      (default 10)
#include "BenchRun.h"
#include "support/PrivateHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace sondex;

// SONDEX_BINARY in the environment measures another build of the recorder.
static QString recorderBinary() { return qEnvironmentVariable("SONDEX_BINARY", QStringLiteral(SONDEX_BINARY)); }

namespace {

// Milliseconds until the recorder reports its window shown, or -1.
double timeToWindow(const test::PrivateHome& home) {
    QProcessEnvironment env = home.environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("sondex.startup=true"));
    QProcess recorder;
    recorder.setProcessEnvironment(env);
    recorder.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    recorder.start(recorderBinary(), {});
    QByteArray seen;
    double shownAt = -1;
    while (clock.elapsed() < 20000 && shownAt < 0) {
        if (!recorder.waitForReadyRead(5) && recorder.state() != QProcess::Running) break;
        seen += recorder.readAllStandardError();
        if (seen.contains("window shown")) shownAt = clock.nsecsElapsed() / 1e6;
    }
    recorder.kill();
    recorder.waitForFinished(5000);
    return shownAt;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    std::vector<double> times;
    for (int run = 1; run <= runs; ++run) {
        // A fresh home per run, so no run inherits another's files or socket.
        const test::PrivateHome home;
        const QString folder = home.root() + QStringLiteral("/rec");
        QDir().mkpath(folder);
        QDir().mkpath(home.configHome() + QStringLiteral("/TAVIK SOFT32"));
        QFile settings(home.settingsFile());
        if (!settings.open(QIODevice::WriteOnly)) return 1;
        settings.write("[SONDEX]\nVersion=22\nTEMPALL=" + QFile::encodeName(folder) + "/\n");
        settings.close();
        const double ms = timeToWindow(home);
        std::printf("run %2d: %.1f ms\n", run, ms);
        if (ms >= 0) times.push_back(ms);
    }
    if (times.empty()) {
        std::printf("the window was never shown\n");
        return 1;
    }
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    bench::figure("startup.median_ms", median);
    std::printf("start-up to window shown: median %.1f ms over %zu runs (min %.1f, max %.1f)\n", median, n,
                times.front(), times.back());
    return 0;
}
