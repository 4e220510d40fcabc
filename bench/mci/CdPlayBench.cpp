// Figures of the CD device's digital playback: a 74-minute disc image played
// in real time on a private sound server whose sink suspends when idle, as on
// a desktop. Prints, at the start, every minute and at the end, the process's
// CPU time as a share of one core (and the reading and sound threads' own), its
// resident memory, and how far the played position is from the wall clock.
// Prints figures; judges nothing.
//
//   sondex-cd-play-bench [minutes]      (default 10)

#include "BenchRun.h"
#include "CdToneImage.h"
#include "ProcessFigures.h"
#include "platform/cd/Msf.h"
#include "platform/mci/CdPlayback.h"
#include "platform/mci/Engine.h"
#include "support/pulse/PrivatePulseServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace sondex;
using namespace sondex::mci;
using namespace sondex::bench;

namespace {

QString percent(qint64 cpuNs, qint64 wallNs) {
    return QString::number(100.0 * double(qMax<qint64>(0, cpuNs)) / double(qMax<qint64>(1, wallNs)), 'f', 3) +
           QStringLiteral(" %");
}

struct Sample {
    qint64 wallNs = 0;
    qint64 processNs = 0;
    qint64 readerNs = 0;
    qint64 streamNs = 0;
};

Sample sampleNow(const QElapsedTimer& clock) {
    return {clock.nsecsElapsed(), processCpuNanoseconds(),
            qMax<qint64>(0, threadCpuNanoseconds(QString::fromLatin1(kCdPlaybackThreadName))),
            qMax<qint64>(0, threadCpuNanoseconds(QString::fromLatin1(kCdStreamThreadName)))};
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int minutes = qBound(1, argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10, 74);

    sondex::test::PrivatePulseServer server;
    if (!server.start(true)) {
        say(QStringLiteral("no sound server: ") + server.failure());
        return 1;
    }
    server.applyToThisProcess();
    QTemporaryDir dir;
    EngineOptions options;
    options.configFolder = dir.filePath(QStringLiteral("config"));
    const QString cue = mci::test::writeToneImage(dir.path(), QStringLiteral("disc"), 74, 60, 1000, 0.5);
    mci::test::writeCdDrives(options.configFolder, u'E', cue);
    Engine engine(options);
    QString reply;
    auto send = [&](const QString& text) {
        const int code = engine.sendString(text, reply, {});
        if (code != 0) say(QStringLiteral("%1 -> %2 %3").arg(text).arg(code).arg(engine.errorText(code)));
        return code;
    };
    if (send(QStringLiteral("open cdaudio!E: alias tavikCD")) != 0) return 1;
    send(QStringLiteral("status tavikCD length"));
    say(QStringLiteral("disc %1, playing %2 minute(s) in real time").arg(reply).arg(minutes));

    QElapsedTimer clock;
    clock.start();
    const Sample start = sampleNow(clock);
    say(QStringLiteral("start: RSS %1 KiB").arg(residentKiB()));
    if (send(QStringLiteral("play tavikCD from 00:02:00")) != 0) return 1;
    Sample last = start;
    for (int minute = 1; minute <= minutes; ++minute) {
        runEventLoopFor(int(qMax<qint64>(0, minute * 60000LL - clock.elapsed())));
        const Sample now = sampleNow(clock);
        send(QStringLiteral("status tavikCD position"));
        const double played = double(cd::msfFrames(reply) - 150) / cd::kFramesPerSecond;
        say(QStringLiteral("minute %1: CPU %2 (reader %3, sound thread %4), RSS %5 KiB, position %6, "
                           "played %7 s of %8 s")
                .arg(minute)
                .arg(percent(now.processNs - last.processNs, now.wallNs - last.wallNs),
                     percent(now.readerNs - last.readerNs, now.wallNs - last.wallNs),
                     percent(now.streamNs - last.streamNs, now.wallNs - last.wallNs))
                .arg(residentKiB())
                .arg(reply)
                .arg(played, 0, 'f', 2)
                .arg(double(now.wallNs) / 1e9, 0, 'f', 2));
        last = now;
    }
    const Sample end = sampleNow(clock);
    send(QStringLiteral("stop tavikCD"));
    send(QStringLiteral("close tavikCD"));
    say(QStringLiteral("end: CPU %1 over %2 s (reader %3, sound thread %4), RSS %5 KiB, peak %6 KiB")
            .arg(percent(end.processNs - start.processNs, end.wallNs - start.wallNs))
            .arg(double(end.wallNs - start.wallNs) / 1e9, 0, 'f', 1)
            .arg(percent(end.readerNs - start.readerNs, end.wallNs - start.wallNs),
                 percent(end.streamNs - start.streamNs, end.wallNs - start.wallNs))
            .arg(residentKiB())
            .arg(peakResidentKiB()));
    return 0;
}
