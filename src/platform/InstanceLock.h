#pragma once

#include <QString>

namespace sondex {

// An exclusive per-user lock on a file (flock). The kernel releases it when
// the holder dies, so a killed recorder never blocks the next start.
class InstanceLock {
public:
    explicit InstanceLock(QString path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    bool tryLock();  // without waiting; true when this object now holds it
    bool lock();     // waits until it is free
    void unlock();
    bool isLocked() const { return fd_ >= 0; }

    // Whether some other holder has the lock right now (this object's own hold excluded).
    static bool isHeldElsewhere(const QString& path);

    const QString& path() const { return path_; }

private:
    bool acquire(bool wait);

    QString path_;
    int fd_ = -1;
};

}  // namespace sondex
