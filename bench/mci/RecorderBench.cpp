// Figures of the recording device: sample-exact capture, CPU of the capture
// thread against parecord on the same source, resident memory over a long
// recording, and the time of "save" for a long recording on the same and on
// another file system. Prints figures; judges nothing.
//
//   sondex-mci-bench [--record-seconds 60] [--report-every 60] [--save-hours 1]
//                    [--no-record] [--no-save]

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

#include <cstdio>
#include <sys/stat.h>

using namespace sondex;
using namespace sondex::mci;
using namespace sondex::bench;

namespace {

constexpr PcmFormat kCdFormat{44100, 2, 16};

void say(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

void runEventLoopFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool writeTemplate(const QString& path) {
    QByteArray header = canonicalWavHeader(kCdFormat, 0);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(header) == header.size();
}

QString percentOfCore(qint64 cpuNs, qint64 wallNs) {
    return QString::number(100.0 * double(cpuNs) / double(wallNs), 'f', 4) + QStringLiteral(" %");
}

int benchRecording(int seconds, int reportEvery) {
    test::PrivatePulseServer server;
    if (!server.start()) {
        say(QStringLiteral("no private sound server: ") + server.failure());
        return 1;
    }
    server.applyToThisProcess();
    // A player latency of 100 ms makes the monitor deliver every 25 ms, as a
    // sound card's capture periods would.
    test::TonePlayer tone(server, 440, 0.5, seconds + 10, 100);
    if (!tone.start()) {
        say(QStringLiteral("cannot play the tone"));
        return 1;
    }
    QTemporaryDir scratch;
    const QString templatePath = scratch.filePath(QStringLiteral("sondex.wav"));
    writeTemplate(templatePath);
    EngineOptions options;
    options.temporaryFolder = scratch.path();
    Engine engine(options);
    QString reply;
    engine.sendString(QStringLiteral("open \"%1\" alias tavikREC buffer 4 wait").arg(templatePath), reply, {});
    engine.sendString(QStringLiteral("set tavikREC time format samples"), reply, {});

    QProcess parecord;
    parecord.setProcessEnvironment(server.clientEnvironment());
    const qint64 childrenBefore = childrenCpuNanoseconds();
    parecord.start(QStringLiteral("parecord"),
                   {QStringLiteral("--latency-msec=25"), QStringLiteral("--rate=44100"),
                    QStringLiteral("--channels=2"), QStringLiteral("--format=s16le"),
                    QStringLiteral("--file-format=wav"), scratch.filePath(QStringLiteral("parecord.wav"))});
    parecord.waitForStarted();

    say(QStringLiteral("== recording %1 s of 44100/16/stereo (tone 440 Hz into the private server)").arg(seconds));
    say(QStringLiteral("resident memory before: %1 KiB").arg(residentKiB()));
    QElapsedTimer wall;
    wall.start();
    const qint64 processBefore = processCpuNanoseconds();
    if (const int code = engine.sendString(QStringLiteral("record tavikREC"), reply, {}); code != 0) {
        say(QStringLiteral("record failed: ") + engine.errorText(code));
        return 1;
    }
    const qint64 threadAtStart = threadCpuNanoseconds(QLatin1String(kCaptureThreadName));
    const qint64 steadyStart = wall.nsecsElapsed();
    for (int done = 0; done < seconds;) {
        const int step = qMin(reportEvery, seconds - done);
        runEventLoopFor(step * 1000);
        done += step;
        engine.sendString(QStringLiteral("status tavikREC position"), reply, {});
        say(QStringLiteral("  t=%1 s  resident %2 KiB  recorded %3 frames")
                .arg(done, 5).arg(residentKiB(), 7).arg(reply));
    }
    const qint64 threadAtEnd = threadCpuNanoseconds(QLatin1String(kCaptureThreadName));
    const qint64 steadyEnd = wall.nsecsElapsed();
    engine.sendString(QStringLiteral("stop tavikREC wait"), reply, {});
    const qint64 wallNs = wall.nsecsElapsed();
    const qint64 processCpu = processCpuNanoseconds() - processBefore;
    parecord.terminate();
    parecord.waitForFinished();
    const qint64 parecordCpu = childrenCpuNanoseconds() - childrenBefore;

    engine.sendString(QStringLiteral("status tavikREC position"), reply, {});
    const qint64 framesRead = reply.toLongLong();
    const QString saved = scratch.filePath(QStringLiteral("saved.wav"));
    engine.sendString(QStringLiteral("save tavikREC \"%1\"").arg(saved), reply, {});
    const test::WavFacts facts = test::readWavFacts(saved);
    const double savedMs = facts.seconds() * 1000;
    const double wallMs = double(wallNs) / 1e6;

    say(QStringLiteral("frames read from the stream: %1, frames in the saved file: %2 -> %3")
            .arg(framesRead).arg(facts.frames)
            .arg(framesRead == facts.frames ? QStringLiteral("equal") : QStringLiteral("DIFFERENT")));
    say(QStringLiteral("wall time record..stop: %1 ms, saved duration: %2 ms, difference %3 ms (target 50)")
            .arg(wallMs, 0, 'f', 1).arg(savedMs, 0, 'f', 1).arg(wallMs - savedMs, 0, 'f', 1));
    const qint64 steadyWall = steadyEnd - steadyStart;
    const qint64 threadCpu = threadAtEnd - threadAtStart;
    say(QStringLiteral("capture thread CPU: %1 ns over %2 s = %3 of a core (target < 0.5 %)")
            .arg(threadCpu).arg(double(steadyWall) / 1e9, 0, 'f', 1).arg(percentOfCore(threadCpu, steadyWall)));
    say(QStringLiteral("whole process CPU (event loop included): %1 ns = %2 of a core")
            .arg(processCpu).arg(percentOfCore(processCpu, wallNs)));
    say(QStringLiteral("parecord on the same source, same time: %1 ns = %2 of a core; ratio engine/parecord %3")
            .arg(parecordCpu).arg(percentOfCore(parecordCpu, wallNs))
            .arg(parecordCpu > 0 ? double(threadCpu) / double(parecordCpu) : 0.0, 0, 'f', 3));
    say(QStringLiteral("resident memory after: %1 KiB, peak %2 KiB").arg(residentKiB()).arg(peakResidentKiB()));
    engine.sendString(QStringLiteral("close tavikREC"), reply, {});
    return 0;
}

qint64 deviceOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? qint64(info.st_dev) : -1;
}

int benchSave(double hours) {
    QTemporaryDir scratch;
    const qint64 bytes = qint64(hours * 3600) * kCdFormat.bytesPerSecond();
    say(QStringLiteral("== save of a %1 h recording (%2 MB of 44100/16/stereo, written without recording)")
            .arg(hours).arg(bytes / 1000000));
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
    const QCommandLineOption noRecord(QStringLiteral("no-record"), QStringLiteral("Skip the recording figures."));
    const QCommandLineOption noSave(QStringLiteral("no-save"), QStringLiteral("Skip the save figures."));
    parser.addOptions({recordSeconds, reportEvery, saveHours, noRecord, noSave});
    parser.process(app);
    int result = 0;
    if (!parser.isSet(noRecord))
        result |= benchRecording(qMax(1, parser.value(recordSeconds).toInt()),
                                 qMax(1, parser.value(reportEvery).toInt()));
    if (!parser.isSet(noSave)) result |= benchSave(parser.value(saveHours).toDouble());
    return result;
}
