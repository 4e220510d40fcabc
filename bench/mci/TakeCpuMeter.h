#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QProcessEnvironment>
#include <QString>
#include <QTimer>

#include <memory>

namespace sondex::bench {

// The CPU a whole-recorder take costs this process, from the moment its
// command is given to its end, by thread; printed beside parecord alone
// recording the same sink's monitor for the same wall time. Threads are
// looked at every 100 ms while the event loop runs, so those that end during
// the take count too, but for their last 100 ms at most.
class TakeCpuMeter {
public:
    TakeCpuMeter();
    ~TakeCpuMeter();
    void start();
    void stop();
    qint64 wallMs() const { return wallMs_; }
    // CPU of this process's threads of that name during the take, in nanoseconds.
    qint64 threadNanoseconds(const QString& name) const;

    // Runs parecord on `monitor` of the server `pulse` reaches for wallMs(),
    // writing into `folder`, and prints both and their ratio.
    void print(const QProcessEnvironment& pulse, const QString& monitor,
               const QString& folder) const;

private:
    struct Thread {
        QString name;
        qint64 atStart = 0;
        qint64 last = 0;
    };
    void look();

    std::unique_ptr<QTimer> looks_;
    QHash<qint64, Thread> seen_;
    QElapsedTimer wall_;
    qint64 wallMs_ = 0;
    qint64 cpuAtStart_ = 0;
    qint64 cpu_ = 0;
    QHash<QString, qint64> threads_;
};

}  // namespace sondex::bench
