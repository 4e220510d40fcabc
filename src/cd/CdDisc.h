#pragma once

#include <QString>

namespace sondex {

// The text that stands for no position or length.
inline const QString kNoTime = QStringLiteral("00:00:00");

// The disc in the chosen drive as the last check and the item playing left
// it. Times are the device's msf texts ("04:31:62").
struct CdDisc {
    QString identity;  // upper-case hexadecimal, no leading zeros; empty when unknown
    int firstTrack = 0;
    int trackCount = 0;            // also the number of the last track
    QString trackStart = kNoTime;  // of the item playing; kNoTime for a whole disc
    QString currentPosition = kNoTime;
    QString endPosition = kNoTime;  // where the item playing stops
    QString resumePosition = kNoTime;
    QString pausePosition = kNoTime;
    QString volumeLabel;  // "[LABEL]"
    QString artist = QStringLiteral("--");
    QString title = QStringLiteral("--");
    QString trackName = QStringLiteral("--");
};

}  // namespace sondex
