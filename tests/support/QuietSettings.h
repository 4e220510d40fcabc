#pragma once

#include "platform/SettingsStore.h"

namespace sondex::test {

// The settings of an installed recorder whose start-up opens no box of its
// own (no clock dialog, no size report), recording into `recordingFolder`
// when one is given. `more` follows, so it can add values or override these.
inline bool writeQuietSettings(SettingsStore& store, const QString& recordingFolder,
                               const QList<NamedText>& more = {}) {
    QList<NamedText> values{{QStringLiteral("Version"), QStringLiteral("22")},
                            {QStringLiteral("SetNowTime_Select"), QStringLiteral("0")},
                            {QStringLiteral("REC_MAX"), QStringLiteral("0")}};
    if (!recordingFolder.isEmpty()) values.append({QStringLiteral("TEMPALL"), recordingFolder});
    return store.writeTexts(values + more);
}

}  // namespace sondex::test
