#pragma once

#include "core/RecorderFlags.h"
#include "ui/dialogs/DialogHost.h"

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace sondex {

class TMKBoxDlg;

// What the setup window says and asks. The program's own message box answers
// in the program; tests script the answers.
class SetupPrompts {
public:
    virtual ~SetupPrompts() = default;
    virtual void notice(const QString& text) = 0;
    // true for はい.
    virtual bool ask(const QString& text) = 0;
    // The caption of every box; the window's caption as it changes.
    virtual void setTitle(const QString& title) = 0;
};

// The timed message box, without countdown: setup waits for its user.
class SetupBoxPrompts final : public SetupPrompts, private DialogHost {
public:
    // What the setup's other dialogs (the folder browser) need of its window.
    DialogHost& host() { return *this; }

    SetupBoxPrompts();
    ~SetupBoxPrompts() override;

    // The window the boxes are centred over and take their colours from.
    void setWindow(QWidget* window);

    void notice(const QString& text) override;
    bool ask(const QString& text) override;
    void setTitle(const QString& title) override;

private:
    QWidget* mainWindow() const override { return window_; }
    QColor backgroundColour() const override;
    QColor textColour() const override;
    bool toolTipsShown() const override { return true; }
    RecorderFlags& flags() override { return flags_; }
    QString programTitle() const override { return title_; }

    QWidget* window_ = nullptr;
    QString title_;
    RecorderFlags flags_;
    std::unique_ptr<TMKBoxDlg> box_;
};

// "参照": asks for a folder with `title`, starting at `start`, in the standard
// colours or the window's; empty when given up. The program hands in its own
// folder and file browser.
using FolderChooser = std::function<QString(QWidget* owner, const QString& title,
                                            const QString& start, bool standardColour)>;

}  // namespace sondex
