#pragma once

#include "platform/mci/ErrorCode.h"
#include "platform/mci/WavHeader.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

namespace sondex::mci {

// The temporary file a recording grows in: "~MCI<digits>.TMP", the canonical
// header followed by the samples. It is a valid WAV file at every moment (the
// samples are written and the header sizes brought up to date at least once a
// second), so a crash loses at most the last second, and it never passes the
// size limit. Appended samples are gathered in memory between those writes, so
// that recording costs few system calls.
class RecordingFile {
public:
    ~RecordingFile();  // closes the file and keeps it
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    // A new, empty recording file in the folder.
    static std::unique_ptr<RecordingFile> create(const QString& folder, const PcmFormat& format,
                                                 qint64 fileSizeLimit, Error& error);

    // Takes over a recording file that an earlier run left behind: its length
    // counts, not the sizes in its header, which may be a second old.
    static std::unique_ptr<RecordingFile> adopt(const QString& path, qint64 fileSizeLimit,
                                                Error& error);

    enum class Append { Written, LimitReached, Failed };

    // Adds samples at the end; only one thread appends at a time. Writes what
    // fits before the size limit and then answers LimitReached. On a write error
    // the file is cut back to whole frames with a current header, and Failed.
    Append append(const char* data, qint64 bytes);

    // Adds silence, for samples the sound server reports lost.
    Append appendSilence(qint64 bytes);

    // Removes the last bytes added (whole frames), for samples that turn out
    // to lie after the end of a take.
    void dropLast(qint64 bytes);

    // Adds the samples of another file (a WAV the device was opened on); on a
    // failure nothing is added.
    Error appendFromFile(const QString& path, qint64 offset, qint64 bytes);

    // Writes the gathered samples and makes the header describe every sample so far. Returns 0 or errno.
    int writeHeader();

    // Before samples are added again: a save may have linked the file under
    // another name; then the recording moves to a private copy, so the saved
    // file never changes. Also drops a pad byte a save added.
    Error prepareForAppend();

    // Prepares the file to be a saved WAV: final header, pad byte after an odd data size.
    int sealForSave();

    void removeFile();

    const QString& path() const { return path_; }
    int fd() const { return fd_; }
    const PcmFormat& format() const { return format_; }
    qint64 dataBytes() const { return dataBytes_.load(std::memory_order_acquire); }
    qint64 frames() const { return dataBytes() / format_.blockAlign(); }
    qint64 maxDataBytes() const { return maxDataBytes_; }
    bool isFull() const { return maxDataBytes_ - dataBytes() < format_.blockAlign(); }
    int lastErrno() const { return lastErrno_; }

private:
    RecordingFile(QString path, int fd, const PcmFormat& format, qint64 dataBytes,
                  qint64 fileSizeLimit);
    Append writeAtEnd(const char* data, qint64 bytes, bool silence);
    int writeGathered();
    int keepWhatReachedTheDisk(int error);

    QString path_;
    int fd_;
    PcmFormat format_;
    std::atomic<qint64> dataBytes_;  // on disk and gathered
    qint64 onDisk_;
    std::vector<char> gathered_;
    qint64 maxDataBytes_;
    int lastErrno_ = 0;
    std::chrono::steady_clock::time_point lastHeaderWrite_;
};

}  // namespace sondex::mci
