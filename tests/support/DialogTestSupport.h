#pragma once

#include "core/RecorderFlags.h"
#include "ui/dialogs/DialogHost.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace sondex::test {

// A main window stand-in whose colours, tool-tip setting and flags tests set.
class FakeHost final : public DialogHost {
public:
    QWidget* mainWindow() const override { return main; }
    QColor backgroundColour() const override { return background; }
    QColor textColour() const override { return text; }
    bool toolTipsShown() const override { return toolTips; }
    RecorderFlags& flags() override { return recorderFlags; }
    QString programTitle() const override { return title; }

    QWidget* main = nullptr;
    QColor background = QColor(240, 240, 240);
    QColor text = QColor(Qt::black);
    bool toolTips = true;
    QString title = QStringLiteral("SONDEX何でもWAV録音");
    RecorderFlags recorderFlags;
};

// Notes the text of every timed message box as it comes up, from its
// construction on.
class BoxTextWatch : public QObject {
public:
    BoxTextWatch();
    bool eventFilter(QObject* object, QEvent* event) override;
    QStringList texts;
};

// Runs `act` once on the next modal dialog that opens on top of the one
// open now. Fails the test if none opens within a few seconds.
void onNextModal(std::function<void(QWidget*)> act);

// Presses the named button of a dialog.
void click(QWidget* dialog, const char* buttonName);

template <typename T>
T* child(QWidget* dialog, const char* name) {
    return dialog->findChild<T*>(QString::fromLatin1(name));
}

}  // namespace sondex::test
