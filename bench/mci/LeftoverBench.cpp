// Recovery of a lost take (an hour unless a size is given): the time on the
// take's own file system (a rename) and the time and memory when it has to be
// copied to another one.
//
//   sondex-leftover-bench [megabytes]
#include "BenchRun.h"
#include "ProcessFigures.h"
#include "TmpfsMount.h"
#include "platform/mci/Leftovers.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>

using namespace sondex;

namespace {

constexpr mci::PcmFormat kCdFormat{44100, 2, 16};
constexpr qint64 kHourBytes = 3600LL * 44100 * 4;
qint64 leftoverBytes = kHourBytes;

// The leftover: a header from its first second and the length asked for (sparse, so quick to make).
QString makeLeftover(const QString& folder) {
    const QString path = QDir(folder).filePath(QStringLiteral("~MCI00001.TMP"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(mci::canonicalWavHeader(kCdFormat, kCdFormat.bytesPerSecond()));
    file.resize(mci::kCanonicalHeaderBytes + leftoverBytes);
    return path;
}

bool recoverOnce(const QString& from, const QString& to, const char* what, const char* figureKey) {
    if (makeLeftover(from).isEmpty()) return false;
    const qint64 peakBefore = bench::peakResidentKiB();
    QElapsedTimer clock;
    clock.start();
    const QList<mci::Recoverable> found = mci::findRecoverable(from);
    const mci::Error error =
        found.isEmpty()
            ? mci::Error::FileNotFound
            : mci::recoverLeftover(found.first(), QDir(to).filePath(QStringLiteral("wav0000.wav")));
    const double ms = clock.nsecsElapsed() / 1e6;
    bench::figure(figureKey, ms);
    std::printf("%-34s %s  %.1f ms  %lld MB  peak RSS %lld -> %lld KiB\n", what,
                error == mci::Error::None ? "ok" : "FAILED", ms,
                found.isEmpty() ? 0LL : (long long)(found.first().dataBytes / 1000000),
                (long long)peakBefore, (long long)bench::peakResidentKiB());
    QFile::remove(QDir(to).filePath(QStringLiteral("wav0000.wav")));
    return error == mci::Error::None;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 1) leftoverBytes = qMax<qint64>(qint64(atof(argv[1]) * 1e6) / 4 * 4, 4);
    QTemporaryDir temp(QDir::currentPath() + QStringLiteral("/leftover-bench-XXXXXX"));
    QDir().mkpath(temp.filePath(QStringLiteral("tmp")));
    QDir().mkpath(temp.filePath(QStringLiteral("rec")));
    bool ok = recoverOnce(temp.filePath(QStringLiteral("tmp")),
                          temp.filePath(QStringLiteral("rec")), "same file system (rename):", "leftover.same_fs_ms");

    mci::test::TmpfsMount tmpfs(temp.filePath(QStringLiteral("tmpfs")), leftoverBytes + (64 << 20));
    if (tmpfs.isMounted())
        ok = recoverOnce(temp.filePath(QStringLiteral("tmp")), tmpfs.folder(),
                         "to a tmpfs (copy, synced):", "leftover.other_fs_ms") &&
             ok;
    else
        std::printf("to a tmpfs: skipped, no tmpfs could be mounted (%s)\n",
                    qPrintable(tmpfs.failure()));
    return ok ? 0 : 1;
}
