#include "recording/FormatCommands.h"

#include "ui/Commands.h"
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

FormatCommands::FormatCommands(Commands& commands, Settings& settings, QWidget& statusBar, QLabel& labelRate,
                               QObject* parent)
    : QObject(parent), commands_(commands), settings_(settings), statusBar_(statusBar), labelRate_(labelRate) {
    connect(&settings_, &Settings::changed, this, [this](Setting changed) {
        if (changed == Setting::rate2 || changed == Setting::Bit || changed == Setting::stereo) refresh();
    });
    // The choice itself is kept by the menus' bindings; what follows a choice is here.
    const char* const items[] = {"Late0",  "Late1",  "Late2",  "Late3",  "Late4",  "Late5",   "Late6",
                                 "Late7",  "Late8",  "MLate0", "MLate1", "MLate2", "MLate3",  "MLate4",
                                 "MLate5", "MLate6", "MLate7", "MLate8", "Bits8",  "Bits16",  "MBits8",
                                 "MBits16", "mono",  "stereo", "MMono",  "MStereo"};
    for (const char* item : items) commands_.onTriggered(item, [this] { afterChoice(); });
    commands_.onTriggered("MR_CD_MUSIC", [this] { choose(7, true, true); });
    commands_.onTriggered("PR_CD", [this] { choose(7, true, true); });
    commands_.onTriggered("MR_RADIO", [this] { choose(4, false, false); });
    commands_.onTriggered("PR_RADIO", [this] { choose(4, false, false); });
    commands_.onTriggered("MR_TEL", [this] { choose(1, false, false); });
    commands_.onTriggered("PR_TEL", [this] { choose(1, false, false); });
    commands_.onTriggered("MRECTEST", [this] { MRECTESTClick(); });
    commands_["MRECTFILE"]->setEnabled(false);
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
    labelRate_.setText(formatCode(format.samplesPerSecond, format.channels, format.bitsPerSample));
}

bool FormatCommands::testMode() const { return commands_["MRECTEST"]->isChecked(); }

QColor FormatCommands::indicatorColour() const { return testMode() ? QColor(0, 0, 255) : QColor(255, 0, 0); }

void FormatCommands::MRECTESTClick() {
    commands_["MRECTFILE"]->setEnabled(testMode());
    if (testModeChanged_) testModeChanged_();
}

}  // namespace sondex
