#pragma once

#include <QString>

#include <functional>

namespace sondex {

// What the inspection of a saved WAV file found, for the recording log.
struct WavSummary {
    // Empty on success, else one of the inspector's messages; then only the
    // three file fields below are valid.
    QString errorText;
    QString formatCode;       // "44S16"
    QString duration;         // whole minutes "." two-digit seconds: "3.05"
    qint64 declaredSize = 0;  // offset of the first data byte + data chunk size

    QString fileDate;  // last-write time, "yy/mm/dd ddd hh:mm:ss"
    QString fileName;  // the path's name part
    QString folder;    // the path's folder part with its trailing "/"

    bool ok() const { return errorText.isEmpty(); }
};

// Reads the header of the WAV file at path (the first 4096 bytes and the
// 8-byte chunk headers, never the samples) and never changes the file.
// processEvents, when given, lets pending window messages run before the file
// is opened and after it is closed.
WavSummary InspectWav(const QString& path, const std::function<void()>& processEvents = {});

}  // namespace sondex
