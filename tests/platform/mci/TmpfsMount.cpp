#include "TmpfsMount.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace sondex::mci::test {

TmpfsMount::TmpfsMount(const QString& folder, qint64 sizeBytes, bool readOnly) : folder_(folder) {
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(sizeBytes);
    const unsigned long flags = MS_NOSUID | MS_NODEV | (readOnly ? MS_RDONLY : 0);
    mounted_ = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", flags,
                       options.constData()) == 0;
    if (!mounted_) failure_ = QString::fromLocal8Bit(strerror(errno));
}

TmpfsMount::~TmpfsMount() {
    if (mounted_) ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

}  // namespace sondex::mci::test
