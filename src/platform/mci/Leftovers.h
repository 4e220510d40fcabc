#pragma once

#include "platform/mci/ErrorCode.h"
#include "platform/mci/WavHeader.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The temporary files "~MCI<digits>.TMP" the recording device leaves behind
// when the recorder or the machine stops in the middle of a take, and the
// marks by which the device tells a running or saved take from a lost one.
namespace sondex::mci {

// The device's own temporary names, as a directory filter.
inline constexpr char kLeftoverPattern[] = "~MCI*.TMP";

// A running take's file is locked (flock) by the device for as long as it is
// open; a file someone holds this way is never touched.
bool lockRecordingFile(int fd);
bool isHeldByRecorder(const QString& path);

// A take saved by a copy (no hard link was possible) is marked on its
// temporary file with an extended attribute; the mark goes when the take is
// recorded on. A save by hard link needs no mark: the link count says it.
void markSaved(int fd);
void clearSavedMark(int fd);

struct LeftoverFile {
    QString path;
    QString name;
    qint64 size = 0;
    QDateTime modified;
};

// The regular files matching kLeftoverPattern in the folder, in no order.
QList<LeftoverFile> findLeftovers(const QString& folder);

// Deletes a leftover unless a running recorder holds it.
bool deleteLeftover(const QString& path);

// A leftover whose samples are worth saving: nobody holds it, no save took
// it, its header names a PCM format, and it holds at least one whole frame
// after the header. A zeroed or damaged header is not guessed at: such a
// file stays where it is for the delete command.
struct Recoverable {
    QString path;
    PcmFormat format;
    qint64 dataBytes = 0;  // whole frames, counted from the file's length
    qint64 milliseconds() const;
};
QList<Recoverable> findRecoverable(const QString& folder);

// Makes the leftover the finished WAV file target (which must not exist):
// header from the length, cut to whole frames, flushed to the disk, then
// renamed where the folders share a file system, else copied and synced
// before the leftover is deleted. A file a recorder holds meanwhile is left
// alone (AccessDenied); on a failure the leftover stays.
Error recoverLeftover(const Recoverable& leftover, const QString& target);

}  // namespace sondex::mci
