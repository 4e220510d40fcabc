#pragma once

#include <QList>
#include <QString>

namespace sondex::cd::test {

// Writes `name`.bin with one audio track after another (lengths in frames,
// every sample FakeDiscDrive::sampleAt of its absolute address) and `name`.cue
// listing them in that one file. Returns the cue sheet's path.
QString writeImage(const QString& folder, const QString& name, const QList<int>& trackFrames);

// Writes a text file and returns its path.
QString writeText(const QString& folder, const QString& name, const QByteArray& text);

}  // namespace sondex::cd::test
