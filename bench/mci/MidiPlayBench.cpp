// Figures of the MIDI sequencer: a generated General MIDI song of about 30
// seconds that keeps all 16 channels busy (chords on 15, drums on 10) played
// in real time on a private sound server whose sink suspends when idle, with
// a take recorded along. Prints the song's length, the CPU time of the
// playing thread (which renders the synthesizer) and of the sound thread as a
// share of one core, and how long the take sounds, tail included.
// Prints figures; judges nothing.
//
//   sondex-midi-bench [seconds]      (default 30)

#include "BenchRun.h"
#include "ProcessFigures.h"
#include "TestFiles.h"
#include "platform/mci/Engine.h"
#include "platform/mci/FilePlayer.h"
#include "platform/mci/MidiSource.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/WavFacts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

using namespace sondex;
using namespace sondex::mci;
using namespace sondex::bench;
using mci::test::TimedMidi;

namespace {

// Chords of three notes a beat on 15 instruments of different families, and
// bass drum, snare and hi-hat on channel 10: about 50 voices at a time.
QByteArray busySong(int seconds) {
    constexpr int kBeatMs = 500;
    const int programs[16] = {0, 4, 16, 24, 32, 40, 48, 52, 56, 0, 61, 64, 71, 80, 88, 89};
    const int roots[4] = {48, 53, 55, 50};
    QList<TimedMidi> song;
    for (int channel = 0; channel < 16; ++channel)
        if (channel != 9) song << mci::test::midiProgram(channel, programs[channel]);
    for (int beat = 0; beat < seconds * 1000 / kBeatMs; ++beat) {
        const qint64 at = qint64(beat) * kBeatMs;
        const int root = roots[(beat / 4) % 4];
        for (int channel = 0; channel < 16; ++channel) {
            if (channel == 9) continue;
            const int octave = 12 * (channel % 3) - 12;
            for (int interval : {0, 4, 7})
                song << mci::test::midiNote(channel, root + octave + interval, at, at + kBeatMs, 70);
        }
        song << mci::test::midiNote(9, beat % 2 ? 38 : 36, at, at + 100);
        for (int eighth = 0; eighth < 4; ++eighth)
            song << mci::test::midiNote(9, 42, at + eighth * kBeatMs / 4, at + eighth * kBeatMs / 4 + 50, 60);
    }
    return mci::test::midiFileOf(song);
}

QString percent(qint64 cpuNs, qint64 wallNs) {
    return QString::number(100.0 * double(qMax<qint64>(0, cpuNs)) / double(qMax<qint64>(1, wallNs)), 'f', 2) +
           QStringLiteral(" %");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int seconds = qBound(5, argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 30, 600);

    sondex::test::PrivatePulseServer server;
    if (!server.start(true)) {
        say(QStringLiteral("no sound server: ") + server.failure());
        return 1;
    }
    server.applyToThisProcess();
    QTemporaryDir dir;
    EngineOptions options;
    options.temporaryFolder = dir.path();
    Engine engine(options);
    QString reply;
    auto send = [&](const QString& text, const NoticeTarget& target = {}) {
        const int code = engine.sendString(text, reply, target);
        if (code != 0) say(QStringLiteral("%1 -> %2 %3").arg(text).arg(code).arg(engine.errorText(code)));
        return code;
    };

    const QString song = dir.filePath(QStringLiteral("busy.mid"));
    QFile file(song);
    if (!file.open(QIODevice::WriteOnly) || file.write(busySong(seconds)) < 0) return 1;
    file.close();
    const QString wav = dir.filePath(QStringLiteral("template.wav"));
    if (!mci::test::writeTemplateWav(wav, 44100, 16, 2)) return 1;
    QElapsedTimer openClock;
    openClock.start();
    if (send(QStringLiteral("Open \"%1\" alias tavikMID wait").arg(song)) != 0) return 1;
    const qint64 openMs = openClock.elapsed();
    send(QStringLiteral("status tavikMID length"));
    const QString length = reply;
    say(QStringLiteral("song of 16 busy channels: length %1 ms (from the reader), open with the sound font %2 ms")
            .arg(length)
            .arg(openMs));
    if (send(QStringLiteral("open \"%1\" alias tavikREC wait").arg(wav)) != 0 ||
        send(QStringLiteral("record tavikREC")) != 0)
        return 1;

    mci::test::NoticeLog log;
    const QString player = QString::fromLatin1(kMusicPlaybackThreadName);
    const QString sound = QString::fromLatin1(kMusicStreamThreadName);
    QElapsedTimer clock;
    clock.start();
    const qint64 processStart = processCpuNanoseconds();
    const qint64 soundStart = qMax<qint64>(0, threadCpuNanoseconds(sound));
    if (send(QStringLiteral("play tavikMID notify"), log.target()) != 0) return 1;
    // The playing thread's figures are read while it runs; it ends with the play.
    qint64 playerNs = 0;
    qint64 soundNs = 0;
    while (log.notices.isEmpty() && clock.elapsed() < seconds * 1000LL + 20000) {
        runEventLoopFor(100);
        playerNs = qMax(playerNs, threadCpuNanoseconds(player));
        soundNs = qMax(soundNs, threadCpuNanoseconds(sound) - soundStart);
    }
    const qint64 wallNs = clock.nsecsElapsed();
    const qint64 processNs = processCpuNanoseconds() - processStart;
    if (log.notices.isEmpty()) {
        say(QStringLiteral("no notice at the end"));
        return 1;
    }
    say(QStringLiteral("notice %1 after %2 ms: playing thread %3 of a core, sound thread %4, process %5")
            .arg(log.notices.first().code)
            .arg(wallNs / 1'000'000)
            .arg(percent(playerNs, wallNs), percent(soundNs, wallNs), percent(processNs, wallNs)));

    send(QStringLiteral("stop tavikREC"));
    const QString take = dir.filePath(QStringLiteral("take.wav"));
    send(QStringLiteral("save tavikREC \"%1\"").arg(take));
    send(QStringLiteral("close tavikREC"));
    send(QStringLiteral("close tavikMID"));
    const sondex::test::SoundSpan span = sondex::test::soundSpan(take);
    say(QStringLiteral("take: %1; the tail after the length: %2 ms (at most %3)")
            .arg(QString::fromStdString(span.text()))
            .arg(span.ms() - length.toLongLong())
            .arg(kMidiTailMilliseconds));
    return 0;
}
