#pragma once

#include <QColor>
#include <QString>

class QWidget;

namespace sondex {

struct RecorderFlags;

// What a message box or value dialog needs of the window that owns it.
class DialogHost {
public:
    virtual ~DialogHost() = default;

    // The window boxes are centred over by default, and repainted after a box closes.
    virtual QWidget* mainWindow() const = 0;
    // The main window's colours, which the boxes take (red while the exit after recording is armed).
    virtual QColor backgroundColour() const = 0;
    virtual QColor textColour() const = 0;
    // Whether tool tips are shown (the main window's "ミニヘルプ" setting).
    virtual bool toolTipsShown() const = 0;
    virtual RecorderFlags& flags() = 0;
    // The caption of a box or dialog that has none of its own.
    virtual QString programTitle() const = 0;
};

}  // namespace sondex
