#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace sondex {

using NamedText = QPair<QString, QString>;

// The per-user store of text values. Each call is one group: the store is
// opened, used and closed around it and keeps nothing between calls, so a value
// written by another process (the setup window) is seen by the next read.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The texts of the named values, in the order asked; an absent value, an
    // absent store or an unreadable one gives the empty text.
    virtual QStringList readTexts(const QStringList& names) const = 0;

    // Writes the values in the order given, creating the store when needed.
    // Returns false when nothing could be written; a store that exists but
    // cannot be read is never written, so the values it holds are not lost.
    virtual bool writeTexts(const QList<NamedText>& values) = 0;

    QString readText(const QString& name) const { return readTexts({name}).value(0); }
    bool writeText(const QString& name, const QString& text) { return writeTexts({{name, text}}); }
};

}  // namespace sondex
