#include "CdTakeBench.h"
#include "BenchRun.h"

#include "platform/mci/Engine.h"
#include "CdToneImage.h"
#include "support/pulse/PatternPlayer.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/TonePlayer.h"
#include "support/pulse/WavFacts.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace sondex::bench {

namespace {

using mci::Engine;
using mci::EngineOptions;

// One server with its sink at a rate (suspending when idle, as a desktop's
// does), a disc image of the track listed as unit E, and an engine whose
// recording device and CD unit are open.
struct ChainSession {
    test::PrivatePulseServer server;
    QTemporaryDir scratch;
    std::unique_ptr<Engine> engine;
    QString reply;

    bool open(int sinkRate, const std::vector<qint16>& track) {
        if (!server.start(true, sinkRate)) {
            say(QStringLiteral("no private sound server: ") + server.failure());
            return false;
        }
        server.applyToThisProcess();
        const QString templatePath = scratch.filePath(QStringLiteral("sondex.wav"));
        if (!writeFile(templatePath, mci::canonicalWavHeader({44100, 2, 16}, 0))) return false;
        const QString cue =
            mci::test::writeSamplesImage(scratch.path(), QStringLiteral("track"), track);
        mci::test::writeCdDrives(scratch.path(), u'E', cue);
        EngineOptions options;
        options.temporaryFolder = scratch.path();
        options.configFolder = scratch.path();
        engine = std::make_unique<Engine>(options);
        return send(QStringLiteral("open \"%1\" alias r buffer 4 wait").arg(templatePath)) == 0 &&
               send(QStringLiteral("open cdaudio!E: alias c wait")) == 0 &&
               send(QStringLiteral("set c time format tmsf wait")) == 0;
    }
    int send(const QString& text) {
        const int code = engine->sendString(text, reply, {});
        if (code != 0) say(QStringLiteral("\"%1\" failed: %2").arg(text, engine->errorText(code)));
        return code;
    }
    QString sinkLine() const {
        QProcess pactl;
        pactl.setProcessEnvironment(server.clientEnvironment());
        pactl.start(QStringLiteral("pactl"),
                    {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sinks")});
        pactl.waitForFinished(5000);
        return QString::fromLocal8Bit(pactl.readAllStandardOutput()).trimmed();
    }

private:
    static bool writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
};

int benchAtRate(int seconds, int sinkRate) {
    ChainSession session;
    const std::vector<qint16> track = test::makePattern(qint64(44100) * (seconds + 30), 11);
    if (!session.open(sinkRate, track)) return 1;
    // As a CD take runs: "record" first, then "play", so nothing of the track is missed.
    if (session.send(QStringLiteral("record r")) != 0 || session.send(QStringLiteral("play c from 1")) != 0)
        return 1;
    say(QStringLiteral("sink: %1").arg(session.sinkLine()));
    // A desktop notification sounds into the same sink halfway; the take must not hold it.
    runEventLoopFor(seconds * 500);
    test::TonePlayer notification(session.server, 880, 0.5, 2);
    const bool sounded = notification.start(test::TonePlayer::SinkClock::Keep);
    runEventLoopFor(seconds * 500);
    session.send(QStringLiteral("stop r"));
    const QString path = session.scratch.filePath(QStringLiteral("cd-take.wav"));
    session.send(QStringLiteral("save r \"%1\"").arg(path));
    session.send(QStringLiteral("close c"));

    const test::PatternMatch match = test::matchPattern(path, track);
    say(QStringLiteral("sink at %1 Hz: %2 s take, %3 of %4 samples differ from the track (largest "
                       "difference %5)%6; a notification %7 played into the sink meanwhile")
            .arg(sinkRate)
            .arg(test::readWavFacts(path).seconds(), 0, 'f', 3)
            .arg(match.differing)
            .arg(match.compared)
            .arg(match.largestDifference)
            .arg(match.differing == 0 && match.compared > 0 ? QStringLiteral(": bit-exact") : QString())
            .arg(sounded ? QStringLiteral("was") : QStringLiteral("could not be")));
    say(QStringLiteral("  start offset: the disc's frame %1 is the take's frame %2, %3 ms after "
                       "\"record\" (silence before it: the sink waking and filling)")
            .arg(match.patternFrame)
            .arg(match.firstFrame)
            .arg(double(match.firstFrame) * 1000 / 44100, 0, 'f', 1));
    return 0;
}

}  // namespace

int benchCdTake(int seconds, const QList<int>& sinkRates) {
    say(QStringLiteral("== a CD take through the whole chain: the CD unit plays a generated "
                       "44100/16/stereo track, recorded for %1 s")
            .arg(seconds));
    int result = 0;
    for (const int rate : sinkRates) result |= benchAtRate(seconds, rate);
    return result;
}

}  // namespace sondex::bench
