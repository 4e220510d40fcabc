#pragma once

#include "core/Setting.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

namespace sondex {

class SettingsStore;

// The one model of every setting while the program runs. Menus and check boxes
// bind to it through changed(); the close writes it back. Values live in the
// form the program uses (switches 0/1, numbers, texts).
class Settings : public QObject {
    Q_OBJECT
public:
    explicit Settings(QString programFolder, QObject* parent = nullptr);

    bool isOn(Setting setting) const { return number(setting) != 0; }
    int number(Setting setting) const { return numbers_[index(setting)]; }
    QString text(Setting setting) const;

    void setOn(Setting setting, bool on) { setNumber(setting, on ? 1 : 0); }
    void setNumber(Setting setting, int value);
    void setText(Setting setting, const QString& text);

    // The two values read while the main window is created (position and
    // recording folder), and all the others, read by the deferred start-up.
    void loadWindowPlacement(const SettingsStore& store);
    void loadDeferred(const SettingsStore& store);
    void loadAll(const SettingsStore& store);

    // The text that the close stores for a value.
    QString storedText(Setting setting) const;

    // Writes every value in the close's order, as one group. False when the
    // store could not be written; the caller carries on regardless.
    bool writeBack(SettingsStore& store) const;

signals:
    void changed(sondex::Setting setting);

private:
    static size_t index(Setting s) { return static_cast<size_t>(s); }
    void load(const SettingsStore& store, int first, int last);
    void apply(const SettingRule& rule, const QString& stored);

    QString programFolder_;
    std::array<int, kSettingCount> numbers_{};
    std::array<QString, kSettingCount> texts_{};
};

// The read-number rule: the empty text becomes the default text, a text that is
// not a decimal integer gives the fallback. Range rules are applied by the caller.
int readNumber(const QString& stored, const QString& defaultText, int fallback);

// The recording folder a stored TEMPALL text names: the marker when none is
// chosen or the folder cannot be entered, else the folder with a trailing "/".
// Makes the folder the current directory, as the recorder works from there.
QString recordingFolderFromSetting(const QString& stored);

// FP as left and top, split at the first ","; nullopt unless both are decimal.
std::optional<std::pair<int, int>> parseWindowPosition(const QString& stored);

}  // namespace sondex
