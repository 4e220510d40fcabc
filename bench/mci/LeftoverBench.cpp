// Recovery of a lost one-hour take: the time on the take's own file system
// (a rename) and the memory when it has to be copied to another one.
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

using namespace sondex;

namespace {

constexpr mci::PcmFormat kCdFormat{44100, 2, 16};
constexpr qint64 kHourBytes = 3600LL * 44100 * 4;

// The leftover: a header from its first second and a length of an hour (sparse, so quick to make).
QString makeLeftover(const QString& folder) {
    const QString path = QDir(folder).filePath(QStringLiteral("~MCI00001.TMP"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(mci::canonicalWavHeader(kCdFormat, kCdFormat.bytesPerSecond()));
    file.resize(mci::kCanonicalHeaderBytes + kHourBytes);
    return path;
}

bool recoverOnce(const QString& from, const QString& to, const char* what) {
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
    QTemporaryDir temp(QDir::currentPath() + QStringLiteral("/leftover-bench-XXXXXX"));
    QDir().mkpath(temp.filePath(QStringLiteral("tmp")));
    QDir().mkpath(temp.filePath(QStringLiteral("rec")));
    bool ok = recoverOnce(temp.filePath(QStringLiteral("tmp")),
                          temp.filePath(QStringLiteral("rec")), "same file system (rename):");

    mci::test::TmpfsMount tmpfs(temp.filePath(QStringLiteral("tmpfs")), kHourBytes + (64 << 20));
    if (tmpfs.isMounted())
        ok = recoverOnce(temp.filePath(QStringLiteral("tmp")), tmpfs.folder(),
                         "to a tmpfs (copy, synced):") &&
             ok;
    else
        std::printf("to a tmpfs: skipped, no tmpfs could be mounted (%s)\n",
                    qPrintable(tmpfs.failure()));
    return ok ? 0 : 1;
}
