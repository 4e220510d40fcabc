// CD play recorded along by the whole recorder, as the end-to-end test runs
// it but with longer tracks: a second start hands "/PC /C" over, the window
// records the three entries of the registered list into their own files and
// closes itself. Prints per track the samples compared, those that differ
// and where the track starts in its file; the log lines; and the recorder's
// CPU from the moment the command is given to its close, beside parecord
// alone recording the same sink's monitor for the same wall time.
//
//   sondex-cd-sequence-bench [track-seconds]      (default 20)
#include "BenchRun.h"
#include "TakeCpuMeter.h"
#include "support/PrivateHome.h"
#include "support/RecorderRig.h"
#include "support/pulse/WavFacts.h"

#include <QApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

using namespace sondex;

// SONDEX_BINARY in the environment measures another build of the recorder.
static QString recorderBinary() { return qEnvironmentVariable("SONDEX_BINARY", QStringLiteral(SONDEX_BINARY)); }

int main(int argc, char** argv) {
    const test::PrivateHome home;
    home.applyToThisProcess();
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(2, atoi(argv[1])) : 20;

    test::CdSequenceRig rig(seconds, recorderBinary());
    if (!rig.prepare()) {
        std::fprintf(stderr, "%s\n", qPrintable(rig.failure()));
        return 1;
    }
    std::printf("== CD play recorded along: 3 tracks of %d s of noise, \"/PC /C\" from a second start, "
                "sink at 44100 Hz suspending when idle\n", seconds);
    bench::TakeCpuMeter cpu;
    const bool ran =
        rig.run({QStringLiteral("/PC"), QStringLiteral("/C")}, 3 * seconds * 1000 + 120000, [&] { cpu.start(); });
    cpu.stop();
    const qint64 wallMs = cpu.wallMs();
    if (!ran) {
        std::printf("failed: %s\n", qPrintable(rig.failure()));
        return 1;
    }
    std::printf("the window closed %s, %.2f s after the command\n",
                rig.closedItself() ? "by itself" : "only when asked", wallMs / 1000.0);

    const QStringList files = rig.savedFiles();
    std::printf("track  file          samples-compared  differing  offset-frames  offset-ms\n");
    for (qsizetype i = 0; i < files.size(); ++i) {
        const int number = int(i) + 1;
        if (number > rig.trackCount()) {
            std::printf("%5s  %-12s  an extra file\n", "-", qPrintable(QFileInfo(files[i]).fileName()));
            continue;
        }
        const test::TrackMatch match = test::alignTrack(files[i], rig.track(number));
        bench::figure("cd.track_samples", double(rig.track(number).size()));
        bench::figure("cd.compared_samples", double(match.compared));
        bench::figure("cd.differing_samples", double(match.differing));
        std::printf("%5d  %-12s  %16lld  %9lld  %13lld  %9.1f%s\n", number,
                    qPrintable(QFileInfo(files[i]).fileName()), static_cast<long long>(match.compared),
                    static_cast<long long>(match.differing), static_cast<long long>(match.offset),
                    match.offset * 1000.0 / 44100, match.found ? "" : "  (silent)");
    }
    bench::figure("cd.missing_tracks", double(std::max<qsizetype>(0, rig.trackCount() - files.size())));
    if (files.size() < rig.trackCount())
        std::printf("%lld of %d tracks have no file\n", static_cast<long long>(rig.trackCount() - files.size()),
                    rig.trackCount());
    std::printf("log lines:\n");
    for (const QString& line : rig.logLines()) std::printf("  %s\n", qPrintable(line));
    for (const QString& text : rig.boxTexts()) std::printf("box: %s\n", qPrintable(text));

    cpu.print(rig.server().clientEnvironment(), rig.server().sinkName() + QStringLiteral(".monitor"), home.root());
    return 0;
}
