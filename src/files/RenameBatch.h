#pragma once

#include <QString>

#include <functional>

namespace sondex {

class TMKBoxDlg;
class TReNameBoxDlg;

// The lines a batch rename walks: a list of full paths with a selection,
// kept by whoever shows it.
class RenameLines {
public:
    virtual ~RenameLines() = default;
    virtual int count() const = 0;
    virtual bool isSelected(int line) const = 0;
    virtual QString path(int line) const = 0;
    // The line's file now has this path.
    virtual void setPath(int line, const QString& path) = 0;
};

struct RenameBatchHooks {
    std::function<void()> processEvents;
    std::function<bool()> closing;  // the program is closing: end at once, silently
    std::function<void()> beep;
    std::function<void()> repaint;  // the main window, at the end
};

// Shows the rename window for every selected line whose file exists, in
// order, and reports how many files were renamed. A missing file or a failed
// rename offers to stop; "中 断" in the window stops. Returns the count.
int renameSelected(RenameLines& lines, TReNameBoxDlg& dialog, TMKBoxDlg& messages,
                   bool standardColor, const RenameBatchHooks& hooks);

}  // namespace sondex
