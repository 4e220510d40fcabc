// Music files played and recorded along by the whole recorder, as the
// end-to-end test runs them but with longer files: a second start hands the
// files' paths and "/C" over, the window records each entry into its own file
// and closes itself. The list: a WAV, an AIFF and an AU of distinct noise at
// 44100/16/stereo, a WAV of a 1 kHz tone at 48000 and a MIDI song. Prints per
// entry how its take compares with the file, or "not available" when the
// recorder could not open that kind; the log lines; and the recorder's CPU
// from the moment the command is given to its close, by thread, beside
// parecord alone recording the same sink's monitor for the same wall time.
//
//   sondex-music-take-bench [seconds]      (default 20)
#include "BenchRun.h"
#include "TakeCpuMeter.h"
#include "platform/mci/FilePlayer.h"
#include "platform/mci/MidiFile.h"
#include "support/PrivateHome.h"
#include "support/RecorderRig.h"
#include "support/pulse/PatternPlayer.h"
#include "support/pulse/SoundFiles.h"
#include "support/pulse/WavFacts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace sondex;

namespace {

constexpr int kTakeRate = 44100;
constexpr int kToneRate = 48000;
constexpr double kToneHz = 1000;

// SONDEX_BINARY in the environment measures another build of the recorder.
QString recorderBinary() {
    return qEnvironmentVariable("SONDEX_BINARY", QStringLiteral(SONDEX_BINARY));
}

struct Entry {
    enum class Kind { Noise, Tone, Song } kind;
    QString path;
    std::vector<qint16> samples;  // the noise, or the tone
    qint64 songMs = 0;            // the song's length as the reader reads it
};

std::vector<qint16> stereoTone(int rate, int seconds) {
    std::vector<qint16> samples(size_t(rate) * size_t(seconds) * 2);
    for (size_t f = 0; f < samples.size() / 2; ++f)
        samples[2 * f] = samples[2 * f + 1] =
            qint16(std::lround(12000 * std::sin(2 * M_PI * kToneHz * double(f) / rate)));
    return samples;
}

// A format-0 song at 120 beats a minute: C, E, G for 0.4 s each a beat
// apart, then a high C held for a second: 2.5 s.
QByteArray songBytes() {
    QByteArray track(
        "\x00\xff\x51\x03\x07\xa1\x20"  // the tempo: 500,000 µs a quarter note
        "\x00\xc0\x10",
        10);  // an organ: it holds its level until a note ends
    // C, E, G on their beats (480 ticks apart), each off 384 ticks later.
    char wait = 0;
    for (const char note : {'\x3c', '\x40', '\x43'}) {
        track += QByteArray(1, wait) + '\x90' + note + '\x64';
        track += QByteArray("\x83\x00\x80", 3) + note + '\x00';
        wait = '\x60';
    }
    // The high C on the next beat, off 960 ticks later, then the track's end.
    track += QByteArray("\x60\x90\x48\x64\x87\x40\x80\x48\x00\x00\xff\x2f\x00", 13);
    QByteArray file("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xe0", 14);
    file += "MTrk";
    const quint32 size = quint32(track.size());
    for (int shift = 24; shift >= 0; shift -= 8) file += char((size >> shift) & 0xff);
    return file + track;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The list, written into `folder`; empty when a file cannot be written.
std::vector<Entry> writeEntries(const QString& folder, int seconds) {
    std::vector<Entry> entries;
    quint32 seed = 7;
    for (const char* name : {"noise.wav", "noise.aiff", "noise.au"}) {
        Entry entry{Entry::Kind::Noise, folder + u'/' + QLatin1String(name),
                    test::makePattern(qint64(seconds) * kTakeRate, seed++)};
        if (!test::writeSoundFile(entry.path, kTakeRate, 2, entry.samples)) return {};
        entries.push_back(std::move(entry));
    }
    Entry tone{Entry::Kind::Tone, folder + QStringLiteral("/tone-48000.wav"),
               stereoTone(kToneRate, seconds)};
    if (!test::writeSoundFile(tone.path, kToneRate, 2, tone.samples)) return {};
    entries.push_back(std::move(tone));
    const QByteArray song = songBytes();
    Entry midi{Entry::Kind::Song, folder + QStringLiteral("/song.mid"), {}};
    midi.songMs = mci::midi::readMidi(song).song.lengthMs();
    if (!writeBytes(midi.path, song)) return {};
    entries.push_back(std::move(midi));
    return entries;
}

double framesMs(qint64 frames, int rate) {
    return frames * 1000.0 / rate;
}

void printNoise(const Entry& entry, const QString& take) {
    const test::TrackMatch match = test::alignTrack(take, entry.samples);
    // Keyed by the file's kind ("wav.differing_samples"), for the report.
    const QByteArray kind = QFileInfo(entry.path).suffix().toLatin1();
    bench::figure(kind + ".file_samples", double(entry.samples.size()));
    bench::figure(kind + ".compared_samples", double(match.compared));
    bench::figure(kind + ".differing_samples", double(match.differing));
    std::printf(
        "  samples compared %lld, differing %lld, file starts at frame %lld (%.1f ms); "
        "take %.3f s, file %.3f s%s\n",
        static_cast<long long>(match.compared), static_cast<long long>(match.differing),
        static_cast<long long>(match.offset), framesMs(match.offset, kTakeRate),
        framesMs(match.takeFrames, kTakeRate) / 1000,
        framesMs(qint64(entry.samples.size() / 2), kTakeRate) / 1000,
        match.found ? "" : "  (the take is silent)");
}

void printTone(const Entry& entry, const QString& take) {
    const test::SoundSpan span = test::soundSpan(take);
    // The frequency over the whole tone but its first and last 10 ms window.
    const qint64 from = (span.firstMs + 10) * kTakeRate / 1000;
    const qint64 to = (span.lastMs - 10) * kTakeRate / 1000;
    const test::ToneMeasure tone = test::measureTone(take, from, to - from);
    const double deviation = 100.0 * (tone.frequency - kToneHz) / kToneHz;
    const double fileMs = framesMs(qint64(entry.samples.size() / 2), kToneRate);
    std::printf("  tone %.2f Hz over the whole tone vs %.0f Hz: %+.3f %% (%s 0.5 %%)\n",
                tone.frequency, kToneHz, deviation,
                std::abs(deviation) <= 0.5 ? "within" : "NOT within");
    std::printf(
        "  tone %lld ms in the take from %lld ms (10 ms windows), file %.1f ms: %+.1f ms (%s 50 "
        "ms)\n",
        static_cast<long long>(span.ms()), static_cast<long long>(span.firstMs), fileMs,
        span.ms() - fileMs, std::abs(span.ms() - fileMs) <= 50 ? "within" : "NOT within");
}

void printSong(const Entry& entry, const QString& take) {
    const test::SoundSpan span = test::soundSpan(take);
    std::printf(
        "  sound %lld ms from %lld ms of the %.1f ms take (10 ms windows over -54 dBFS, longest "
        "gap %lld ms); "
        "the reader's length %lld ms, tail %+lld ms\n",
        static_cast<long long>(span.ms()), static_cast<long long>(span.firstMs),
        test::readWavFacts(take).seconds() * 1000, static_cast<long long>(span.longestGapMs),
        static_cast<long long>(entry.songMs), static_cast<long long>(span.ms() - entry.songMs));
}

}  // namespace

int main(int argc, char** argv) {
    const test::PrivateHome home;
    home.applyToThisProcess();
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(2, atoi(argv[1])) : 20;

    test::MusicTakeRig rig(recorderBinary());
    if (!rig.prepare()) {
        std::fprintf(stderr, "%s\n", qPrintable(rig.failure()));
        return 1;
    }
    // A short folder: a forwarded line holds at most 255 bytes.
    const QString folder = home.root() + QStringLiteral("/m");
    const std::vector<Entry> entries =
        QDir().mkpath(folder) ? writeEntries(folder, seconds) : std::vector<Entry>();
    if (entries.empty()) {
        std::fprintf(stderr, "cannot write the music files into %s\n", qPrintable(folder));
        return 1;
    }
    QStringList line;
    for (const Entry& entry : entries) line << entry.path;
    std::printf(
        "== music files recorded along: noise.wav, noise.aiff, noise.au (%d s, 44100/16/stereo), "
        "tone-48000.wav (%d s of 1 kHz), song.mid; paths and \"/C\" from a second start, "
        "sink at 44100 Hz suspending when idle\n",
        seconds, seconds);

    bench::TakeCpuMeter cpu;
    const bool ran =
        rig.run(line << QStringLiteral("/C"), 5 * seconds * 1000 + 120000, [&] { cpu.start(); });
    cpu.stop();
    if (!ran) {
        std::printf("failed: %s\n", qPrintable(rig.failure()));
        return 1;
    }
    std::printf("the window closed %s, %.2f s after the command\n",
                rig.closedItself() ? "by itself" : "only when asked", cpu.wallMs() / 1000.0);

    const QStringList takes = rig.savedFiles();
    const QStringList boxes = rig.boxTexts();
    qsizetype next = 0;
    for (const Entry& entry : entries) {
        const QString name = QFileInfo(entry.path).fileName();
        const QString failed = QStringLiteral("再生エラー：") + entry.path + u'\n';
        const auto box = std::find_if(boxes.cbegin(), boxes.cend(),
                                      [&](const QString& b) { return b.startsWith(failed); });
        if (box != boxes.cend()) {
            std::printf("%s: not available (%s)\n", qPrintable(name),
                        qPrintable(box->mid(failed.size()).trimmed()));
            continue;
        }
        if (next >= takes.size()) {
            std::printf("%s: no take\n", qPrintable(name));
            continue;
        }
        const QString take = takes[next++];
        std::printf("%s -> %s\n", qPrintable(name), qPrintable(QFileInfo(take).fileName()));
        switch (entry.kind) {
            case Entry::Kind::Noise:
                printNoise(entry, take);
                break;
            case Entry::Kind::Tone:
                printTone(entry, take);
                break;
            case Entry::Kind::Song:
                printSong(entry, take);
                break;
        }
    }
    for (; next < takes.size(); ++next) std::printf("an extra take: %s\n", qPrintable(takes[next]));
    std::printf("log lines:\n");
    for (const QString& logLine : rig.logLines()) std::printf("  %s\n", qPrintable(logLine));
    for (const QString& text : boxes)
        std::printf("box: %s\n", qPrintable(QString(text).replace(u'\n', u' ')));

    // The system keeps the first 15 characters of a thread's name.
    const QString playerName = QString::fromLatin1(mci::kMusicPlaybackThreadName).left(15);
    const qint64 player = cpu.threadNanoseconds(playerName);
    std::printf(
        "the playing thread %s: %s\n", qPrintable(playerName),
        player < 0 ? "not seen"
                   : qPrintable(QStringLiteral("%1 ms, %2 % of a core")
                                    .arg(player / 1e6, 0, 'f', 1)
                                    .arg(100.0 * player / (std::max<qint64>(cpu.wallMs(), 1) * 1e6),
                                         0, 'f', 3)));
    cpu.print(rig.server().clientEnvironment(),
              rig.server().sinkName() + QStringLiteral(".monitor"), home.root());
    return 0;
}
