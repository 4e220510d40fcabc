#pragma once

#include "core/RecordingPrompts.h"

class QFileDialog;
class QWidget;

namespace sondex {

class TMKBoxDlg;

// The recording operations' questions, answered through the window's timed
// message box and the save dialog `SaveDialog1`, which is set up on first use.
class WindowPrompts final : public RecordingPrompts {
public:
    WindowPrompts(TMKBoxDlg& messages, QWidget& owner);

    BoxAnswer message(const QString& text) override;
    BoxAnswer question(const QString& text, BoxAnswer defaultAnswer) override;
    std::optional<QString> saveName(const QString& fileName, const QString& folder) override;
    void busyCursor(bool on) override;

private:
    TMKBoxDlg& messages_;
    QWidget& owner_;
    QFileDialog* SaveDialog1_ = nullptr;
};

}  // namespace sondex
