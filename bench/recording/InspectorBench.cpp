// Figures of the WAV inspector: the mean time of one inspection of a 1 MB and
// of a 1 GB recording, and their ratio. The inspector reads only the header,
// so the two should take the same time. Prints figures; judges nothing.
//
//   sondex-inspector-bench [iterations]   (default 20000 each)

#include "BenchRun.h"
#include "core/WavInspector.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>

using namespace sondex;

namespace {

constexpr qint64 kOneMB = 1000 * 1000;
constexpr qint64 kOneGB = 1000 * kOneMB;

// A 44100 Hz 16-bit stereo file of fileSize bytes: the canonical 44-byte header,
// then real zero samples for a small file or a hole for a large one.
bool makeWav(const QString& path, qint64 fileSize, bool sparse) {
    QByteArray header(44, '\0');
    char* h = header.data();
    const auto dataSize = quint32(fileSize - 44);
    std::memcpy(h, "RIFF", 4);
    qToLittleEndian(quint32(fileSize - 8), h + 4);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    qToLittleEndian(quint32(16), h + 16);
    qToLittleEndian(quint16(1), h + 20);
    qToLittleEndian(quint16(2), h + 22);
    qToLittleEndian(quint32(44100), h + 24);
    qToLittleEndian(quint32(44100 * 4), h + 28);
    qToLittleEndian(quint16(4), h + 32);
    qToLittleEndian(quint16(16), h + 34);
    std::memcpy(h + 36, "data", 4);
    qToLittleEndian(dataSize, h + 40);

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(header) != header.size()) return false;
    if (sparse) return ::ftruncate(file.handle(), fileSize) == 0;
    return file.write(QByteArray(fileSize - 44, '\0')) == fileSize - 44;
}

// Mean nanoseconds of one InspectWav(path) over the given number of calls.
double meanNanoseconds(const QString& path, int iterations) {
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < iterations; ++i) {
        const WavSummary summary = InspectWav(path);
        if (!summary.ok()) {
            std::printf("inspection failed: %s\n", summary.errorText.toUtf8().constData());
            std::exit(1);
        }
    }
    return double(clock.nsecsElapsed()) / iterations;
}

}  // namespace

int main(int argc, char** argv) {
    const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
    QTemporaryDir dir;
    const QString small = dir.filePath(QStringLiteral("small.wav"));
    const QString large = dir.filePath(QStringLiteral("large.wav"));
    if (!dir.isValid() || !makeWav(small, kOneMB, false) || !makeWav(large, kOneGB, true)) {
        std::printf("could not create the test files in %s\n", qPrintable(dir.path()));
        return 1;
    }
    std::printf("1 MB: %s, duration %s\n", qPrintable(small),
                qPrintable(InspectWav(small).duration));
    std::printf("1 GB: %s (sparse), duration %s\n", qPrintable(large),
                qPrintable(InspectWav(large).duration));

    // Warm both files up, then alternate rounds so neither gains from running second.
    meanNanoseconds(small, 1000);
    meanNanoseconds(large, 1000);
    double smallNs = 0;
    double largeNs = 0;
    constexpr int kRounds = 4;
    for (int round = 0; round < kRounds; ++round) {
        smallNs += meanNanoseconds(small, iterations / kRounds + 1) / kRounds;
        largeNs += meanNanoseconds(large, iterations / kRounds + 1) / kRounds;
    }
    std::printf("iterations per file: %d\n", iterations);
    std::printf("InspectWav 1 MB: %8.2f us per call\n", smallNs / 1000);
    std::printf("InspectWav 1 GB: %8.2f us per call\n", largeNs / 1000);
    std::printf("ratio 1 GB / 1 MB: %.3f\n", largeNs / smallNs);
    bench::figure("inspector.1mb_us", smallNs / 1000);
    bench::figure("inspector.1gb_us", largeNs / 1000);
    return 0;
}
