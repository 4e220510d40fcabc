#pragma once

#include "recording/RecordingPrompts.h"

class QFileDialog;
class QWidget;

namespace sondex {

class TMKBoxDlg;

// The recording operations' questions, answered through the window's timed
// message box and the save dialog `SaveDialog1`, which is set up on first use.
class WindowPrompts final : public RecordingPrompts {
public:
    WindowPrompts(TMKBoxDlg& messages, QWidget& owner);

    int message(const QString& text) override;
    int question(const QString& text, int defaultAnswer) override;
    std::optional<QString> saveName(const QString& fileName, const QString& folder) override;

private:
    TMKBoxDlg& messages_;
    QWidget& owner_;
    QFileDialog* SaveDialog1_ = nullptr;
};

}  // namespace sondex
