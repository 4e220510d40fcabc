#include "platform/cd/CdioDrive.h"

#include "platform/cd/Msf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/logging.h>

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <memory>
#include <mutex>

namespace sondex::cd {

namespace {

Q_LOGGING_CATEGORY(cdioLog, "sondex.cd.cdio", QtWarningMsg)

// libcdio writes its complaints to standard error; a damaged image or an
// empty drive is an ordinary event here, so they go to a logging category.
void quietLog(cdio_log_level_t level, const char message[]) {
    if (level >= CDIO_LOG_WARN)
        qCDebug(cdioLog, "%s", message);
}

void installQuietLog() {
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(quietLog); });
}

// libcdio opens the files a .toc names from the current folder, where
// cdrdao means the folder of the .toc. A copy of the sheet with those names
// made absolute is what libcdio reads; it needs it only while opening.
std::unique_ptr<QTemporaryFile> tocWithAbsoluteNames(const QString& tocPath) {
    QFile toc(tocPath);
    if (!toc.open(QIODevice::ReadOnly) || toc.size() > (1 << 20))
        return nullptr;
    QString text = QString::fromUtf8(toc.readAll());
    const QString folder = QFileInfo(tocPath).absolutePath();
    if (folder.contains(u'"') || folder.contains(u'\\'))
        return nullptr;
    static const QRegularExpression names(
        QStringLiteral("^(\\s*(?:FILE|AUDIOFILE|DATAFILE)\\s+)\"([^\"/][^\"]*)\""),
        QRegularExpression::MultilineOption);
    text.replace(names, QStringLiteral("\\1\"") + folder + QStringLiteral("/\\2\""));
    auto copy = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/sondex-XXXXXX.toc"));
    const QByteArray bytes = text.toUtf8();
    if (!copy->open() || copy->write(bytes) != bytes.size() || !copy->flush())
        return nullptr;
    return copy;
}

}  // namespace

CdioDrive::CdioDrive(QString target)
    : target_(std::move(target)), image_(target_.endsWith(QLatin1String(".toc"), Qt::CaseInsensitive)) {
    installQuietLog();
}

CdioDrive::~CdioDrive() {
    release();
}

void CdioDrive::release() {
    if (cdio_ != nullptr)
        cdio_destroy(cdio_);
    cdio_ = nullptr;
}

DriveState CdioDrive::state() {
    if (image_)
        return QFileInfo(target_).isFile() ? DriveState::Ready : DriveState::NoDisc;
    // Non-blocking, so that an empty drive or an open tray answers at once.
    const int fd = ::open(QFile::encodeName(target_).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return DriveState::Unavailable;
    const int status = ::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
    ::close(fd);
    switch (status) {
    case CDS_DISC_OK: return DriveState::Ready;
    case CDS_NO_DISC: return DriveState::NoDisc;
    case CDS_TRAY_OPEN: return DriveState::DoorOpen;
    case CDS_DRIVE_NOT_READY: return DriveState::NotReady;
    default: return status < 0 ? DriveState::Unavailable : DriveState::NotReady;
    }
}

DiscReading CdioDrive::readDisc() {
    release();
    DiscReading r;
    const std::unique_ptr<QTemporaryFile> toc = image_ ? tocWithAbsoluteNames(target_) : nullptr;
    const QByteArray name = QFile::encodeName(toc ? toc->fileName() : target_);
    cdio_ = cdio_open(name.constData(), image_ ? DRIVER_CDRDAO : DRIVER_DEVICE);
    if (cdio_ == nullptr) {
        r.error = QStringLiteral("ディスクを読めません：") + target_;
        return r;
    }
    const track_t first = cdio_get_first_track_num(cdio_);
    const track_t count = cdio_get_num_tracks(cdio_);
    const bool countOk = first != CDIO_INVALID_TRACK && count != CDIO_INVALID_TRACK && count > 0 &&
                         first >= 1 && first + count - 1 <= 99;
    if (countOk) {
        for (int n = first; n < first + count; ++n) {
            const lba_t start = cdio_get_track_lba(cdio_, track_t(n));
            r.disc.tracks.append({n, start, cdio_get_track_format(cdio_, track_t(n)) == TRACK_FORMAT_AUDIO});
        }
        r.disc.leadOut = cdio_get_track_lba(cdio_, CDIO_CDROM_LEADOUT_TRACK);
    }
    // The addresses must rise to the lead-out, or nothing derived from them holds.
    bool rising = countOk;
    qint64 previous = 0;
    for (const TrackEntry& t : r.disc.tracks) {
        rising = rising && t.start != CDIO_INVALID_LBA && t.start >= kLeadInFrames && t.start > previous;
        previous = t.start;
    }
    if (!rising || r.disc.leadOut <= previous) {
        r = {};
        r.error = QStringLiteral("ディスクの目次を読めません：") + target_;
        release();
        return r;
    }
    if (cdtext_t* text = cdio_get_cdtext(cdio_)) {
        if (const char* title = cdtext_get_const(text, CDTEXT_FIELD_TITLE, 0))
            r.disc.albumTitle = QString::fromUtf8(title);
    }
    return r;
}

bool CdioDrive::readAudio(qint64 address, int count, char* out) {
    if (count <= 0)
        return count == 0;
    if (cdio_ == nullptr && !readDisc().ok())
        return false;
    if (address < kLeadInFrames)
        return false;
    return cdio_read_audio_sectors(cdio_, out, lsn_t(address - kLeadInFrames), unsigned(count)) ==
           DRIVER_OP_SUCCESS;
}

DoorResult CdioDrive::setDoorOpen(bool open) {
    if (image_)
        return DoorResult::NotSupported;
    release();
    const QByteArray name = QFile::encodeName(target_);
    const driver_return_code_t rc =
        open ? cdio_eject_media_drive(name.constData()) : cdio_close_tray(name.constData(), nullptr);
    if (rc == DRIVER_OP_SUCCESS)
        return DoorResult::Done;
    return rc == DRIVER_OP_UNSUPPORTED ? DoorResult::NotSupported : DoorResult::Failed;
}

}  // namespace sondex::cd
