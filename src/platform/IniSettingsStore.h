#pragma once

#include "platform/SettingsStore.h"

namespace sondex {

// The settings file: "[SONDEX]", then one "Name=Text" line per value. The text
// is everything after the first "=" verbatim, names match without regard to
// letter case. The file also holds setup's values and whatever other programs
// or older versions left there, so a write changes only the lines of the values
// it writes, appends new ones to the [SONDEX] section and keeps every other line
// byte for byte. Files are replaced atomically.
class IniSettingsStore final : public SettingsStore {
public:
    explicit IniSettingsStore(QString path);

    QStringList readTexts(const QStringList& names) const override;
    bool writeTexts(const QList<NamedText>& values) override;

    const QString& path() const { return path_; }

private:
    QString path_;
};

}  // namespace sondex
