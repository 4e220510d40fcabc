#pragma once

#include "core/BoxAnswer.h"

#include <QString>

#include <optional>

namespace sondex {

// What the recording operations ask of the person at the machine. The
// program answers through its timed message box and the save dialog
// `SaveDialog1`; tests script the answers.
class RecordingPrompts {
public:
    virtual ~RecordingPrompts() = default;

    // The timed message box with ＯＫ and 中 断; returns its answer.
    virtual BoxAnswer message(const QString& text) = 0;
    // The timed message box with ＯＫ alone, for a notice that stops nothing.
    virtual BoxAnswer notice(const QString& text) { return message(text); }
    // The timed message box with はい / いいえ; returns its answer.
    virtual BoxAnswer question(const QString& text, BoxAnswer defaultAnswer) = 0;
    // The save dialog, showing `fileName` in `folder` (no trailing "/"): the
    // full path the user confirmed, or nothing when the user cancelled.
    virtual std::optional<QString> saveName(const QString& fileName, const QString& folder) = 0;
    // The hourglass while an operation works, or the normal cursor again.
    virtual void busyCursor(bool on) { Q_UNUSED(on); }
};

}  // namespace sondex
