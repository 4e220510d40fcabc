#pragma once

#include "platform/SettingsStore.h"

#include <QtGlobal>

namespace sondex {

// The settings file: "[SONDEX]", then one "Name=Text" line per value. The text
// is everything after the first "=" verbatim, names match without regard to
// letter case. The file also holds setup's values and whatever other programs
// or older versions left there, so a write changes only the lines of the values
// it writes, appends new ones to the [SONDEX] section and keeps every other line
// byte for byte. Files are replaced atomically.
class IniSettingsStore final : public SettingsStore {
public:
    // A real settings file holds a few kilobytes; a larger one is not read (it
    // would only cost memory) and, like any file that cannot be read, never
    // replaced.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

    explicit IniSettingsStore(QString path);

    QStringList readTexts(const QStringList& names) const override;
    bool writeTexts(const QList<NamedText>& values) override;

    // The file exists but cannot be read: a folder in its place, no read
    // permission, larger than kMaxFileSize. Unlike a missing file it holds the
    // user's values, so it is never written.
    bool isUnreadable() const;

    // Every later write fails without touching the file: a run that started on
    // the defaults must not replace the values it could not read.
    void refuseWrites() { writesRefused_ = true; }

    const QString& path() const { return path_; }

private:
    QString path_;
    bool writesRefused_ = false;
};

}  // namespace sondex
