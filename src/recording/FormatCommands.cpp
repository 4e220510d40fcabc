#include "recording/FormatCommands.h"

#include "core/Settings.h"
#include "core/FormatCode.h"
#include "core/RecordingFormat.h"

#include <QAction>
#include <QApplication>
#include <QLabel>

#include <algorithm>

namespace sondex {

namespace {

// Each status panel is as wide as its text, plus a little room.
void showInPanel(QWidget& bar, const char* name, const QString& text, int extra, int& left) {
    auto* panel = bar.findChild<QLabel*>(QString::fromLatin1(name));
    if (!panel) return;
    panel->setText(text);
    const int width = panel->fontMetrics().horizontalAdvance(text) + 2 + extra;
    panel->setGeometry(left, panel->y(), width, panel->height());
    left += width + 2;
}

}  // namespace

FormatCommands::FormatCommands(FormatCommandHandles commands, Settings& settings, QWidget& statusBar, QLabel& labelRate,
                               QObject* parent)
    : QObject(parent), commands_(std::move(commands)), settings_(settings), statusBar_(statusBar), labelRate_(labelRate) {
    connect(&settings_, &Settings::changed, this, [this](Setting changed) {
        if (changed == Setting::rate2 || changed == Setting::Bit || changed == Setting::stereo) refresh();
    });
    // The choice itself is kept by the menus' bindings; what follows a choice is here.
    for (QAction* choice : commands_.choices) connect(choice, &QAction::triggered, this, [this] { afterChoice(); });
    const auto preset = [this](const QList<QAction*>& copies, int rateIndex, bool sixteenBits, bool stereo) {
        for (QAction* copy : copies)
            connect(copy, &QAction::triggered, this, [=, this] { choose(rateIndex, sixteenBits, stereo); });
    };
    preset(commands_.cdMusic, 7, true, true);
    preset(commands_.radio, 4, false, false);
    preset(commands_.telephone, 1, false, false);
    connect(commands_.MRECTEST, &QAction::triggered, this, &FormatCommands::MRECTESTClick);
    commands_.MRECTFILE->setEnabled(false);
    refresh();
}

void FormatCommands::choose(int rateIndex, bool sixteenBits, bool stereo) {
    settings_.setNumber(Setting::rate2, rateIndex);
    settings_.setOn(Setting::Bit, sixteenBits);
    settings_.setOn(Setting::stereo, stereo);
    afterChoice();
}

void FormatCommands::afterChoice() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    refresh();
    if (afterChoice_) afterChoice_();
    QApplication::restoreOverrideCursor();
}

void FormatCommands::refresh() {
    const RecordingFormat format = recordingFormat(settings_);
    int left = 2;
    showInPanel(statusBar_, "PSTBar1_0", QString::number(format.samplesPerSecond), 0, left);
    showInPanel(statusBar_, "PSTBar1_1", QString::number(format.bitsPerSample), 10, left);
    showInPanel(statusBar_, "PSTBar1_2", format.channels == 2 ? QStringLiteral("Stereo") : QStringLiteral("mono"), 0,
                left);
    if (auto* track = statusBar_.findChild<QLabel*>(QStringLiteral("PSTBar1_3")))
        track->setGeometry(left, track->y(), std::max(statusBar_.width() - left - 30, 20), track->height());
    showCode(formatCode(format.samplesPerSecond, format.channels, format.bitsPerSample));
}

void FormatCommands::showCode(const QString& code) {
    shownCode_ = code;
    labelRate_.setText(code);
}

bool FormatCommands::testMode() const { return commands_.MRECTEST->isChecked(); }

QColor FormatCommands::indicatorColour() const { return testMode() ? QColor(0, 0, 255) : QColor(255, 0, 0); }

void FormatCommands::MRECTESTClick() {
    commands_.MRECTFILE->setEnabled(testMode());
    if (testModeChanged_) testModeChanged_();
}

}  // namespace sondex
