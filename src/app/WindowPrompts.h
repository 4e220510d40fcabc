#pragma once

#include "cd/CdPrompts.h"
#include "core/RecordingPrompts.h"

class QFileDialog;
class QWidget;

namespace sondex {

class TMKBoxDlg;

// The recording operations' questions and the CD checks' notices, answered
// through the window's timed message box and the save dialog `SaveDialog1`,
// which is set up on first use.
class WindowPrompts final : public RecordingPrompts, public CdPrompts {
public:
    WindowPrompts(TMKBoxDlg& messages, QWidget& owner);

    BoxAnswer message(const QString& text) override;
    BoxAnswer notice(const QString& text) override;
    BoxAnswer question(const QString& text, BoxAnswer defaultAnswer) override;
    std::optional<QString> saveName(const QString& fileName, const QString& folder) override;
    void busyCursor(bool on) override;
    BoxAnswer timedMessage(const QString& text, int seconds) override;
    BoxAnswer abortableMessage(const QString& text, int seconds) override;

private:
    TMKBoxDlg& messages_;
    QWidget& owner_;
    QFileDialog* SaveDialog1_ = nullptr;
};

}  // namespace sondex
