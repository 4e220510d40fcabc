// Figures of the recording device: where takes start and end on an idle
// server, the frames of a long capture (delivered and filled), its CPU time
// against parecord on the same source at equal and at default latency,
// resident memory, and the time of "save" for a long recording on the same and
// on another file system. Prints figures; judges nothing. With --cd-take it
// prints only the figures of a CD take through the whole chain (CdTakeBench.h)
// at the sink rates given.
//
//   sondex-mci-bench [--record-seconds 60] [--report-every 60] [--tone] [--save-hours 1 | --save-megabytes N]
//                    [--no-timeline] [--no-record] [--no-save]
//   sondex-mci-bench --cd-take [--cd-seconds 10] [--sink-rates 44100,48000]

#include "BenchRun.h"
#include "CdTakeBench.h"
#include "ProcessFigures.h"
#include "platform/mci/Engine.h"
#include "platform/mci/PulseCapture.h"
#include "platform/mci/RecordingFile.h"
#include "platform/mci/RecordingSaver.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/TonePlayer.h"
#include "support/pulse/WavFacts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

#include <pulse/simple.h>
#include <sndfile.h>

#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <sys/stat.h>
#include <thread>
#include <vector>

using namespace sondex;
using namespace sondex::mci;
using namespace sondex::bench;

namespace {

constexpr PcmFormat kCdFormat{44100, 2, 16};

bool writeTemplate(const QString& path) {
    QByteArray header = canonicalWavHeader(kCdFormat, 0);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(header) == header.size();
}

QString percentOfCore(qint64 cpuNs, qint64 wallNs) {
    return QString::number(100.0 * double(cpuNs) / double(wallNs), 'f', 4) + QStringLiteral(" %");
}

// Plays a 1 kHz tone into the server's default sink from a thread of its own,
// starting at a given moment; notes when its first samples were handed over.
class DelayedTone {
public:
    DelayedTone(qint64 startNs, const QElapsedTimer& clock) : startNs_(startNs), clock_(clock) {
        thread_ = std::thread([this] { run(); });
    }
    ~DelayedTone() {
        stop_ = true;
        thread_.join();
    }
    qint64 firstWriteNs() const { return firstWriteNs_; }

private:
    void run() {
        const pa_sample_spec spec{PA_SAMPLE_S16LE, 44100, 2};
        pa_buffer_attr attr{};
        attr.maxlength = uint32_t(-1);
        attr.tlength = uint32_t(44100 / 100 * 4);  // 10 ms: the tone sounds right after it is handed over
        attr.prebuf = attr.minreq = attr.fragsize = uint32_t(-1);
        while (clock_.nsecsElapsed() < startNs_ - 20000000) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        int error = 0;
        pa_simple* player = pa_simple_new(nullptr, "bench tone", PA_STREAM_PLAYBACK, nullptr, "tone", &spec,
                                          nullptr, &attr, &error);
        if (!player) return;
        while (clock_.nsecsElapsed() < startNs_) std::this_thread::sleep_for(std::chrono::microseconds(200));
        std::vector<qint16> block(2 * 441);
        for (qint64 frame = 0; !stop_ && frame < 44100 * 30; frame += 441) {
            for (int i = 0; i < 441; ++i)
                block[size_t(2 * i)] = block[size_t(2 * i + 1)] =
                    qint16(16000 * std::sin(2 * std::numbers::pi * 1000 * double(frame + i) / 44100));
            if (frame == 0) firstWriteNs_ = clock_.nsecsElapsed();
            if (pa_simple_write(player, block.data(), block.size() * 2, &error) < 0) break;
        }
        pa_simple_free(player);
    }

    qint64 startNs_;
    const QElapsedTimer& clock_;
    std::atomic<bool> stop_{false};
    std::atomic<qint64> firstWriteNs_{-1};
    std::thread thread_;
};

// The first frame of the file whose first channel passes a tenth of full scale.
qint64 firstLoudFrame(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file) return -1;
    std::vector<short> block(size_t(4096 * info.channels));
    qint64 at = 0;
    for (sf_count_t got; (got = sf_readf_short(file, block.data(), 4096)) > 0; at += got)
        for (sf_count_t i = 0; i < got; ++i)
            if (std::abs(block[size_t(i * info.channels)]) > 3276) {
                sf_close(file);
                return at + i;
            }
    sf_close(file);
    return -1;
}

// A fresh idle server (nothing playing, the null sink at its default latency,
// perhaps suspended) and a device opened right before "record": the hardest start.
struct IdleSession {
    explicit IdleSession(bool suspend) : suspendWhenIdle(suspend) {}
    bool suspendWhenIdle;
    test::PrivatePulseServer server;
    QTemporaryDir scratch;
    std::unique_ptr<Engine> engine;
    QString reply;

    bool open() {
        if (!server.start(suspendWhenIdle)) {
            say(QStringLiteral("no private sound server: ") + server.failure());
            return false;
        }
        server.applyToThisProcess();
        // Long enough for the sink and its monitor to suspend.
        runEventLoopFor(1500);
        const QString templatePath = scratch.filePath(QStringLiteral("sondex.wav"));
        writeTemplate(templatePath);
        EngineOptions options;
        options.temporaryFolder = scratch.path();
        engine = std::make_unique<Engine>(options);
        return send(QStringLiteral("open \"%1\" alias r buffer 4 wait").arg(templatePath)) == 0;
    }
    int send(const QString& text) { return engine->sendString(text, reply, {}); }
    double savedSeconds(const QString& name) {
        const QString path = scratch.filePath(name);
        send(QStringLiteral("save r \"%1\"").arg(path));
        return test::readWavFacts(path).seconds();
    }
};

// Where a tone played 500 ms after "record" lies in the take, with "record"
// sent the given time after the device was opened. On a sink still waking
// the tone itself sounds late, so that offset is no figure of the take's start.
int benchToneOffset(bool suspendWhenIdle, int openedForMs) {
    IdleSession session(suspendWhenIdle);
    if (!session.open()) return 1;
    runEventLoopFor(openedForMs);
    QElapsedTimer clock;
    clock.start();
    session.send(QStringLiteral("record r"));
    const qint64 recordNs = clock.nsecsElapsed();
    qint64 toneNs = -1;
    {
        DelayedTone tone(recordNs + 500000000, clock);
        runEventLoopFor(3000);
        toneNs = tone.firstWriteNs();
        session.send(QStringLiteral("stop r"));
    }
    const QString path = session.scratch.filePath(QStringLiteral("tone.wav"));
    session.send(QStringLiteral("save r \"%1\"").arg(path));
    const qint64 onset = firstLoudFrame(path);
    const double expectedMs = double(toneNs - recordNs) / 1e6;
    const double foundMs = double(onset) * 1000 / 44100;
    say(QStringLiteral("tone handed to the server %1 ms after \"record\" (sent %2 ms after open); in the file at "
                       "%3 ms: offset %4 ms (target 500 +- 20)")
            .arg(expectedMs, 0, 'f', 1).arg(openedForMs).arg(foundMs, 0, 'f', 1)
            .arg(foundMs - expectedMs + 500, 0, 'f', 1));
    const bool sinkWaking = suspendWhenIdle && openedForMs < 2000;
    if (sinkWaking)
        say(QStringLiteral("  (the sink was still waking: the tone sounded late; the 3 s take below shows where the take "
                           "starts)"));
    else
        figure("take_start.error_ms", foundMs - expectedMs);
    return 0;
}

// parecord on the same kind of server: a tone 500 ms after parecord starts,
// parecord stopped 4 s after its start; where the tone lies in its file.
int benchParecordTone(bool suspendWhenIdle) {
    test::PrivatePulseServer server;
    if (!server.start(suspendWhenIdle)) {
        say(QStringLiteral("no private sound server: ") + server.failure());
        return 1;
    }
    server.applyToThisProcess();
    runEventLoopFor(1500);
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("parecord.wav"));
    QProcess parecord;
    parecord.setProcessEnvironment(server.clientEnvironment());
    QElapsedTimer clock;
    clock.start();
    parecord.start(QStringLiteral("parecord"), {QStringLiteral("--rate=44100"), QStringLiteral("--channels=2"),
                                                QStringLiteral("--format=s16le"), QStringLiteral("--file-format=wav"),
                                                path});
    parecord.waitForStarted();
    {
        DelayedTone tone(clock.nsecsElapsed() + 500000000, clock);
        runEventLoopFor(4000);
        parecord.terminate();
        parecord.waitForFinished();
    }
    say(QStringLiteral("parecord, a tone 500 ms after its start, stopped 4 s after its start: its file holds %1 s, "
                       "the tone at %2 ms")
            .arg(test::readWavFacts(path).seconds(), 0, 'f', 3)
            .arg(double(firstLoudFrame(path)) * 1000 / 44100, 0, 'f', 1));
    return 0;
}

int benchTimeline(bool suspendWhenIdle) {
    say(QStringLiteral("== takes on an idle server (nothing playing, sink at its default latency%1)")
            .arg(suspendWhenIdle ? QStringLiteral(", suspended after 1 s") : QString()));
    if (benchToneOffset(suspendWhenIdle, 0) != 0) return 1;
    // A suspended sink delivers its first samples two seconds after it wakes.
    if (suspendWhenIdle && benchToneOffset(suspendWhenIdle, 2500) != 0) return 1;
    if (benchParecordTone(suspendWhenIdle) != 0) return 1;
    {
        IdleSession session(suspendWhenIdle);
        if (!session.open()) return 1;
        QElapsedTimer clock;
        clock.start();
        session.send(QStringLiteral("record r"));
        runEventLoopFor(3000);
        session.send(QStringLiteral("stop r wait"));
        const double wallMs = double(clock.nsecsElapsed()) / 1e6;
        const double savedSeconds = session.savedSeconds(QStringLiteral("three.wav"));
        // A take that starts late, or early, is that much shorter or longer than its time.
        figure("take_start.error_ms", savedSeconds * 1000 - wallMs);
        say(QStringLiteral("3 s record then stop: saved %1 s (record..stop took %2 ms; target 3.00 +- 0.05)")
                .arg(savedSeconds, 0, 'f', 3).arg(wallMs, 0, 'f', 1));
    }
    {
        IdleSession session(suspendWhenIdle);
        if (!session.open()) return 1;
        session.send(QStringLiteral("record r"));
        runEventLoopFor(1500);
        session.send(QStringLiteral("stop r wait"));
        session.send(QStringLiteral("status r position"));
        const QString first = session.reply;
        session.send(QStringLiteral("record r"));
        runEventLoopFor(1500);
        session.send(QStringLiteral("stop r wait"));
        say(QStringLiteral("2 x 1.5 s records: position after the first %1 ms, saved %2 s (target 3.00 +- 0.1)")
                .arg(first).arg(session.savedSeconds(QStringLiteral("twice.wav")), 0, 'f', 3));
    }
    return 0;
}

qint64 cpuOf(QProcess& process) { return processCpuNanosecondsOf(process.processId()); }

int benchRecording(int seconds, int reportEvery, bool withTone) {
    test::PrivatePulseServer server;
    if (!server.start(true)) {
        say(QStringLiteral("no private sound server: ") + server.failure());
        return 1;
    }
    server.applyToThisProcess();
    std::unique_ptr<test::TonePlayer> tone;
    if (withTone) {
        // A player latency of 100 ms makes the monitor deliver every 25 ms, as a sound card would.
        tone = std::make_unique<test::TonePlayer>(server, 440, 0.5, seconds + 10, 100);
        if (!tone->start()) {
            say(QStringLiteral("cannot play the tone"));
            return 1;
        }
    }
    QTemporaryDir scratch;
    Error error = Error::None;
    auto file = RecordingFile::create(scratch.path(), kCdFormat, kWavFileSizeLimit, error);
    if (!file) {
        say(QStringLiteral("cannot create the recording file"));
        return 1;
    }
    const auto startParecord = [&](QProcess& process, const QStringList& latency, const QString& name) {
        process.setProcessEnvironment(server.clientEnvironment());
        process.start(QStringLiteral("parecord"),
                      latency + QStringList{QStringLiteral("--rate=44100"), QStringLiteral("--channels=2"),
                                            QStringLiteral("--format=s16le"), QStringLiteral("--file-format=wav"),
                                            scratch.filePath(name)});
        process.waitForStarted();
    };
    const QString equalLatency = QStringLiteral("--latency-msec=%1").arg(kCaptureFragmentMilliseconds);
    say(QStringLiteral("== capture of %1 s of 44100/16/stereo, %2, beside parecord %3 and parecord at its default")
            .arg(seconds).arg(withTone ? QStringLiteral("tone playing") : QStringLiteral("idle server"), equalLatency));

    // The server wakes its clients one after another in the order they
    // connected, and a client's place in that order changes its CPU time by
    // up to a third. So the time is cut in three takes, and each of the three
    // clients connects first, second and last once.
    enum Client { Capture, Equal, Default };
    qint64 cpu[3] = {0, 0, 0};
    qint64 wallNs = 0;
    PulseCapture::Figures figures;
    int done = 0;
    for (int round = 0; round < 3; ++round) {
        std::unique_ptr<PulseCapture> capture;
        QProcess equal, byDefault;
        for (int place = 0; place < 3; ++place) {
            const QString name = QStringLiteral("-%1.wav").arg(round);
            switch (Client((round + place) % 3)) {
            case Capture:
                capture = std::make_unique<PulseCapture>(kCdFormat, 4, [](PulseCapture::End end, quint64) {
                    say(end == PulseCapture::End::Failed ? QStringLiteral("capture FAILED")
                                                         : QStringLiteral("size limit"));
                });
                if (capture->connect() != Error::None) {
                    say(QStringLiteral("cannot start the capture"));
                    return 1;
                }
                break;
            case Equal: startParecord(equal, {equalLatency}, QStringLiteral("equal") + name); break;
            case Default: startParecord(byDefault, {}, QStringLiteral("default") + name); break;
            }
            runEventLoopFor(300);  // connected before the next one starts
        }
        runEventLoopFor(1000);  // all three streams running
        const auto cpuNow = [&] {
            return std::array<qint64, 3>{threadCpuNanoseconds(QLatin1String(kCaptureThreadName)), cpuOf(equal),
                                         cpuOf(byDefault)};
        };
        QElapsedTimer wall;
        wall.start();
        capture->startTake(*file);
        const std::array<qint64, 3> before = cpuNow();
        for (const int end = seconds * (round + 1) / 3; done < end;) {
            const int step = qMin(reportEvery - done % reportEvery, end - done);
            runEventLoopFor(step * 1000);
            done += step;
            if (done % reportEvery == 0 || done == seconds)
                say(QStringLiteral("  t=%1 s  resident %2 KiB  %3 frames in the file")
                        .arg(done, 5).arg(residentKiB(), 7).arg(file->frames()));
        }
        const std::array<qint64, 3> after = cpuNow();
        for (int client = 0; client < 3; ++client) cpu[client] += after[size_t(client)] - before[size_t(client)];
        wallNs += wall.nsecsElapsed();
        capture->endTake();
        figures.delivered += capture->figures().delivered;
        figures.filled += capture->figures().filled;
        equal.terminate();
        byDefault.terminate();
        equal.waitForFinished();
        byDefault.waitForFinished();
    }
    file->writeHeader();

    say(QStringLiteral("frames saved %1 = delivered %2 + filled %3 -> %4; saved %5 s over %6 s of wall time")
            .arg(file->frames()).arg(figures.delivered).arg(figures.filled)
            .arg(file->frames() == figures.delivered + figures.filled ? QStringLiteral("equal")
                                                                      : QStringLiteral("DIFFERENT"))
            .arg(double(file->frames()) / 44100, 0, 'f', 3).arg(double(wallNs) / 1e9, 0, 'f', 3));
    const qint64 captureCpu = cpu[Capture];
    figure("capture.seconds", double(wallNs) / 1e9);
    figure("capture.frames_saved", double(file->frames()));
    figure("capture.frames_delivered", double(figures.delivered));
    figure("capture.frames_filled", double(figures.filled));
    figure("capture.cpu_ms", double(captureCpu) / 1e6);
    figure("capture.parecord_cpu_ms", double(cpu[Equal]) / 1e6);
    say(QStringLiteral("capture thread CPU: %1 ns = %2 of a core").arg(captureCpu).arg(percentOfCore(captureCpu, wallNs)));
    say(QStringLiteral("parecord %1 (equal latency): %2 ns = %3; ratio capture/parecord %4 (target <= 1.0)")
            .arg(equalLatency).arg(cpu[Equal]).arg(percentOfCore(cpu[Equal], wallNs))
            .arg(cpu[Equal] > 0 ? double(captureCpu) / double(cpu[Equal]) : 0.0, 0, 'f', 3));
    say(QStringLiteral("parecord at its default latency: %1 ns = %2; ratio capture/parecord %3")
            .arg(cpu[Default]).arg(percentOfCore(cpu[Default], wallNs))
            .arg(cpu[Default] > 0 ? double(captureCpu) / double(cpu[Default]) : 0.0, 0, 'f', 3));
    say(QStringLiteral("resident memory %1 KiB, peak %2 KiB").arg(residentKiB()).arg(peakResidentKiB()));
    file->removeFile();
    return 0;
}

qint64 deviceOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? qint64(info.st_dev) : -1;
}

int benchSave(qint64 bytes) {
    QTemporaryDir scratch;
    bytes -= bytes % kCdFormat.blockAlign();
    say(QStringLiteral("== save of a %1 s recording (%2 MB of 44100/16/stereo, written without recording)")
            .arg(double(bytes) / kCdFormat.bytesPerSecond(), 0, 'f', 1).arg(double(bytes) / 1e6, 0, 'f', 1));
    Error error = Error::None;
    auto recording = RecordingFile::create(scratch.path(), kCdFormat, kWavFileSizeLimit, error);
    if (!recording) {
        say(QStringLiteral("cannot create the recording file"));
        return 1;
    }
    QByteArray block(1 << 20, '\0');
    for (int i = 0; i < block.size(); i += 2) qToLittleEndian<qint16>(qint16(i * 37), block.data() + i);
    for (qint64 done = 0; done < bytes; done += block.size())
        recording->append(block.constData(), qMin<qint64>(block.size(), bytes - done));
    recording->writeHeader();

    const qint64 rssBefore = residentKiB();
    QElapsedTimer timer;
    timer.start();
    const QString same = scratch.filePath(QStringLiteral("same.wav"));
    error = saveRecording(*recording, same);
    figure("save.same_fs_ms", double(timer.nsecsElapsed()) / 1e6);
    say(QStringLiteral("same file system: %1 ms (%2), %3 frames")
            .arg(double(timer.nsecsElapsed()) / 1e6, 0, 'f', 3).arg(errorTextFor(toCode(error)))
            .arg(test::readWavFacts(same).frames));

    const QString otherFolder = QStringLiteral("/dev/shm");
    if (deviceOf(otherFolder) == deviceOf(scratch.path()) || deviceOf(otherFolder) < 0) {
        say(QStringLiteral("no second file system at /dev/shm; cross-file-system save skipped"));
        return 0;
    }
    const QString other = otherFolder + QStringLiteral("/sondex-bench-%1.wav").arg(QCoreApplication::applicationPid());
    timer.restart();
    error = saveRecording(*recording, other);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    figure("save.other_fs_ms", seconds * 1e3);
    say(QStringLiteral("other file system (%1): %2 s = %3 MB/s (%4), %5 frames")
            .arg(otherFolder).arg(seconds, 0, 'f', 3).arg(double(bytes) / 1e6 / seconds, 0, 'f', 0)
            .arg(errorTextFor(toCode(error))).arg(test::readWavFacts(other).frames));
    say(QStringLiteral("resident memory before the saves %1 KiB, after %2 KiB")
            .arg(rssBefore).arg(residentKiB()));
    QFile::remove(other);
    recording->removeFile();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption recordSeconds(QStringLiteral("record-seconds"), QStringLiteral("Length of the recording."),
                                           QStringLiteral("s"), QStringLiteral("60"));
    const QCommandLineOption reportEvery(QStringLiteral("report-every"), QStringLiteral("Seconds between memory lines."),
                                         QStringLiteral("s"), QStringLiteral("60"));
    const QCommandLineOption saveHours(QStringLiteral("save-hours"), QStringLiteral("Length of the saved recording."),
                                       QStringLiteral("h"), QStringLiteral("1"));
    const QCommandLineOption saveMegabytes(QStringLiteral("save-megabytes"),
                                           QStringLiteral("Size of the saved recording, in place of its length."),
                                           QStringLiteral("MB"));
    const QCommandLineOption noRecord(QStringLiteral("no-record"), QStringLiteral("Skip the long capture."));
    const QCommandLineOption noTimeline(QStringLiteral("no-timeline"), QStringLiteral("Skip the idle-server takes."));
    const QCommandLineOption withTone(QStringLiteral("tone"), QStringLiteral("Play a tone during the long capture."));
    const QCommandLineOption noSave(QStringLiteral("no-save"), QStringLiteral("Skip the save figures."));
    const QCommandLineOption cdTake(QStringLiteral("cd-take"), QStringLiteral("Only the CD take through the chain."));
    const QCommandLineOption cdSeconds(QStringLiteral("cd-seconds"), QStringLiteral("Length of the CD take."),
                                       QStringLiteral("s"), QStringLiteral("10"));
    const QCommandLineOption sinkRates(QStringLiteral("sink-rates"), QStringLiteral("Rates of the sink for the CD take."),
                                       QStringLiteral("list"), QStringLiteral("44100,48000"));
    parser.addOptions({recordSeconds, reportEvery, saveHours, saveMegabytes, noRecord, noTimeline, withTone, noSave, cdTake, cdSeconds,
                       sinkRates});
    parser.process(app);
    if (parser.isSet(cdTake)) {
        QList<int> rates;
        for (const QString& rate : parser.value(sinkRates).split(u',', Qt::SkipEmptyParts)) rates << qMax(8000, rate.toInt());
        return benchCdTake(qMax(1, parser.value(cdSeconds).toInt()), rates);
    }
    int result = 0;
    if (!parser.isSet(noTimeline)) result |= benchTimeline(false) | benchTimeline(true);
    if (!parser.isSet(noRecord))
        result |= benchRecording(qMax(1, parser.value(recordSeconds).toInt()),
                                 qMax(1, parser.value(reportEvery).toInt()), parser.isSet(withTone));
    if (!parser.isSet(noSave))
        result |= benchSave(parser.isSet(saveMegabytes)
                                ? qint64(parser.value(saveMegabytes).toDouble() * 1e6)
                                : qint64(parser.value(saveHours).toDouble() * 3600) * kCdFormat.bytesPerSecond());
    return result;
}
