#pragma once

#include <QString>

namespace sondex::mci::test {

// A small tmpfs mounted on a folder for the life of the object, to make a
// full disk or a read-only folder real. Needs the right to mount (tests run
// as root); isMounted() tells whether it worked, so a test can skip.
class TmpfsMount {
public:
    TmpfsMount(const QString& folder, qint64 sizeBytes, bool readOnly = false);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool isMounted() const { return mounted_; }
    QString failure() const { return failure_; }
    const QString& folder() const { return folder_; }

private:
    QString folder_;
    bool mounted_ = false;
    QString failure_;
};

}  // namespace sondex::mci::test
