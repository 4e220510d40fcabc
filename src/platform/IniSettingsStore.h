#pragma once

#include "platform/SettingsStore.h"

namespace sondex {

// The settings file: "[SONDEX]", then one "Name=Text" line per value. The text
// is everything after the first "=" verbatim, names match without regard to
// letter case, and a write keeps every value it does not touch (setup's values
// and ones a newer version added). Files are replaced atomically.
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
