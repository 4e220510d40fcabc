#pragma once

#include <QColor>
#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QLabel;
class QWidget;

namespace sondex {

class Settings;

// The commands the format follows, from both menu copies.
struct FormatCommandHandles {
    QList<QAction*> choices;  // every rate, bits and channels command
    QList<QAction*> cdMusic, radio, telephone;  // the three presets
    QAction* MRECTEST = nullptr;   // test mode
    QAction* MRECTFILE = nullptr;  // record into the test file; offered only in test mode
};

// The recording format commands of both menu copies (rates, bits, channels,
// the three presets) and test mode: they keep the status bar's first three
// panels and the format label in step with the format, and give the
// recording indicator its colour (red, blue in test mode).
class FormatCommands : public QObject {
    Q_OBJECT
public:
    FormatCommands(FormatCommandHandles commands, Settings& settings, QWidget& statusBar, QLabel& labelRate,
                   QObject* parent = nullptr);

    // Red normally, blue while test mode is on.
    QColor indicatorColour() const;
    bool testMode() const;

    // Called after the user chose a format: the size report follows when it is switched on.
    void setAfterChoice(std::function<void()> afterChoice) { afterChoice_ = std::move(afterChoice); }
    // Test mode recolours what shows the indicator colour.
    void setOnTestModeChanged(std::function<void()> changed) { testModeChanged_ = std::move(changed); }

    void refresh();

    // The code the format label shows: the format's own after each refresh,
    // or a timer line's code put there for the next entry (the format itself
    // stays as it is).
    QString shownCode() const { return shownCode_; }
    void showCode(const QString& code);

private:
    void choose(int rateIndex, bool sixteenBits, bool stereo);
    void afterChoice();
    void MRECTESTClick();

    FormatCommandHandles commands_;
    Settings& settings_;
    QWidget& statusBar_;
    QLabel& labelRate_;
    QString shownCode_;
    std::function<void()> afterChoice_;
    std::function<void()> testModeChanged_;
};

}  // namespace sondex
