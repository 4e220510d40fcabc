#include "CdTakeBench.h"

#include "platform/mci/Engine.h"
#include "support/pulse/PatternPlayer.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/WavFacts.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>

namespace sondex::bench {

namespace {

using mci::Engine;
using mci::EngineOptions;
using mci::PlaybackStreams;

void say(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

void runEventLoopFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// One server with its sink at a rate, and an engine whose recording device is open.
struct ChainSession {
    test::PrivatePulseServer server;
    QTemporaryDir scratch;
    // The engine's list of its own playback streams, shared with its devices.
    std::shared_ptr<PlaybackStreams> streams = std::make_shared<PlaybackStreams>();
    std::unique_ptr<Engine> engine;
    QString reply;

    bool open(int sinkRate) {
        if (!server.start(false, sinkRate)) {
            say(QStringLiteral("no private sound server: ") + server.failure());
            return false;
        }
        server.applyToThisProcess();
        const QString templatePath = scratch.filePath(QStringLiteral("sondex.wav"));
        QFile file(templatePath);
        const QByteArray header = mci::canonicalWavHeader({44100, 2, 16}, 0);
        if (!file.open(QIODevice::WriteOnly) || file.write(header) != header.size()) return false;
        file.close();
        EngineOptions options;
        options.temporaryFolder = scratch.path();
        options.playbackStreams = streams;
        engine = std::make_unique<Engine>(options);
        return send(QStringLiteral("open \"%1\" alias r buffer 4 wait").arg(templatePath)) == 0;
    }
    int send(const QString& text) { return engine->sendString(text, reply, {}); }
    QString sinkLine() const {
        QProcess pactl;
        pactl.setProcessEnvironment(server.clientEnvironment());
        pactl.start(QStringLiteral("pactl"),
                    {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sinks")});
        pactl.waitForFinished(5000);
        return QString::fromLocal8Bit(pactl.readAllStandardOutput()).trimmed();
    }
};

// A track that plays as a stream of the engine, registered from its start to its stop.
struct PlayingTrack {
    std::function<qint64()> playedFrames;  // track frames the sink has played by now; -1 unknown
    std::function<void()> stop;
    explicit operator bool() const { return bool(stop); }
};

// The one place that plays the track. Until the CD unit plays discs, a
// player of the generated track stands in for it and registers its stream
// as the CD unit does; with the CD unit this becomes "open cdaudio" and "play".
PlayingTrack playTrack(ChainSession& session, const std::vector<qint16>& track) {
    auto player = std::make_shared<test::PatternPlayer>(session.server, track);
    if (!player->start()) return {};
    constexpr qint64 kPlayerId = 1000;
    const std::shared_ptr<PlaybackStreams> streams = session.streams;
    streams->add({kPlayerId, player->sinkInputIndex(), player->sinkName()});
    return {[player] { return player->playedFrames(); },
            [player, streams] {
                streams->remove(kPlayerId);
                player->stop();
            }};
}

int benchAtRate(int seconds, int sinkRate) {
    ChainSession session;
    if (!session.open(sinkRate)) return 1;
    const std::vector<qint16> track = test::makePattern(qint64(44100) * (seconds + 30), 11);
    // The device was opened before the track plays: "record" moves its capture to the track's
    // stream.
    PlayingTrack playing = playTrack(session, track);
    if (!playing) {
        say(QStringLiteral("cannot play the track"));
        return 1;
    }
    say(QStringLiteral("sink: %1").arg(session.sinkLine()));
    runEventLoopFor(1000);
    const qint64 playedAtRecord = playing.playedFrames();
    session.send(QStringLiteral("record r"));
    runEventLoopFor(seconds * 1000);
    session.send(QStringLiteral("stop r"));
    const QString path = session.scratch.filePath(QStringLiteral("cd-take.wav"));
    session.send(QStringLiteral("save r \"%1\"").arg(path));
    playing.stop();

    const test::PatternMatch match = test::matchPattern(path, track);
    const qint64 trackFrames = qint64(track.size() / 2);
    // The track frame at the take's frame 0, against the one sounding at "record".
    const qint64 atZero =
        ((match.patternFrame - match.firstFrame) % trackFrames + trackFrames) % trackFrames;
    const qint64 offset = atZero - playedAtRecord % trackFrames;
    say(QStringLiteral("sink at %1 Hz: %2 s take, %3 of %4 samples differ from the track (largest "
                       "difference %5)%6")
            .arg(sinkRate)
            .arg(test::readWavFacts(path).seconds(), 0, 'f', 3)
            .arg(match.differing)
            .arg(match.compared)
            .arg(match.largestDifference)
            .arg(match.differing == 0 && match.compared > 0 ? QStringLiteral(": bit-exact")
                                                            : QString()));
    say(QStringLiteral("  start offset %1 frames (%2 ms): the take's frame 0 holds the track frame "
                       "played that long "
                       "after \"record\"; the track's first frame in the take is frame %3")
            .arg(offset)
            .arg(double(offset) * 1000 / 44100, 0, 'f', 1)
            .arg(match.firstFrame));
    return 0;
}

}  // namespace

int benchCdTake(int seconds, const QList<int>& sinkRates) {
    say(QStringLiteral("== a CD take through the whole chain: a generated 44100/16/stereo track as "
                       "the engine's "
                       "own stream, recorded for %1 s beside nothing else")
            .arg(seconds));
    int result = 0;
    for (const int rate : sinkRates) result |= benchAtRate(seconds, rate);
    return result;
}

}  // namespace sondex::bench
