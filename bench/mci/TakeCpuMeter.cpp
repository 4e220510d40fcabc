#include "TakeCpuMeter.h"

#include "ProcessFigures.h"

#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace sondex::bench {

namespace {

// parecord alone on the monitor for the time: its CPU time in nanoseconds, -1 when it did not run.
qint64 parecordCpuNanoseconds(const QProcessEnvironment& pulse, const QString& monitor,
                              const QString& folder, qint64 milliseconds) {
    QProcess parecord;
    parecord.setProcessEnvironment(pulse);
    parecord.start(QStringLiteral("parecord"),
                   {QStringLiteral("--device=") + monitor, QStringLiteral("--file-format=wav"),
                    folder + QStringLiteral("/parecord.wav")});
    if (!parecord.waitForStarted()) return -1;
    QThread::msleep(static_cast<unsigned long>(milliseconds));
    const qint64 cpu = processCpuNanosecondsOf(parecord.processId());
    parecord.terminate();
    parecord.waitForFinished(5000);
    return cpu;
}

}  // namespace

TakeCpuMeter::TakeCpuMeter() : looks_(std::make_unique<QTimer>()) {
    looks_->setInterval(100);
    QObject::connect(looks_.get(), &QTimer::timeout, [this] { look(); });
}

TakeCpuMeter::~TakeCpuMeter() = default;

void TakeCpuMeter::look() {
    const QHash<qint64, ThreadCpu> now = threadCpuById();
    for (auto thread = now.cbegin(); thread != now.cend(); ++thread) {
        Thread& seen = seen_[thread.key()];
        // A thread may name itself after it has started.
        seen.name = thread.value().name;
        seen.last = thread.value().nanoseconds;
    }
}

void TakeCpuMeter::start() {
    seen_.clear();
    look();
    for (Thread& thread : seen_) thread.atStart = thread.last;
    cpuAtStart_ = processCpuNanoseconds();
    wall_.start();
    looks_->start();
}

void TakeCpuMeter::stop() {
    cpu_ = processCpuNanoseconds() - cpuAtStart_;
    wallMs_ = wall_.elapsed();
    looks_->stop();
    look();
    threads_.clear();
    for (const Thread& thread : std::as_const(seen_))
        threads_[thread.name] += thread.last - thread.atStart;
}

qint64 TakeCpuMeter::threadNanoseconds(const QString& name) const {
    return threads_.value(name, -1);
}

void TakeCpuMeter::print(const QProcessEnvironment& pulse, const QString& monitor,
                         const QString& folder) const {
    const double wallNs = std::max<qint64>(wallMs_, 1) * 1e6;
    std::printf(
        "CPU over %.2f s of wall time from the command (the second start that hands it over not "
        "counted):\n",
        wallMs_ / 1000.0);
    std::printf("  recorder: %8.1f ms  %6.3f%% of a core\n", cpu_ / 1e6, 100.0 * cpu_ / wallNs);
    // Where it went, by thread name.
    for (auto thread = threads_.cbegin(); thread != threads_.cend(); ++thread) {
        if (thread.value() >= 1000000)
            std::printf("    %-16s %8.1f ms  %6.3f%%\n", qPrintable(thread.key()),
                        thread.value() / 1e6, 100.0 * thread.value() / wallNs);
    }
    const qint64 parecordCpu = parecordCpuNanoseconds(pulse, monitor, folder, wallMs_);
    if (parecordCpu < 0) {
        std::printf("  parecord did not run\n");
        return;
    }
    std::printf("  parecord: %8.1f ms  %6.3f%% of a core (alone on the sink's monitor)\n",
                parecordCpu / 1e6, 100.0 * parecordCpu / wallNs);
    std::printf("  ratio recorder/parecord: %.2f\n",
                parecordCpu > 0 ? double(cpu_) / parecordCpu : 0.0);
}

}  // namespace sondex::bench
