#pragma once

#include <QString>

#include <optional>

namespace sondex {

// The highest number an automatic name can carry ("wav9999.wav").
inline constexpr int kLastAutomaticNumber = 9999;

// The first free name "wav" + four digits + ".wav" in the recording folder
// (given with its trailing "/"), counting from wav0000.wav; a folder of that
// name does not take it. Nothing once all ten thousand names are taken: the
// numbering would wrap onto taken names, so the caller reports it instead.
std::optional<QString> nextAutomaticName(const QString& recordingFolder);

// The name every test recording is saved under, whether or not it exists.
QString testRecordingName(const QString& recordingFolder);

}  // namespace sondex
