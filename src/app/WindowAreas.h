#pragma once

class QFrame;
class QLabel;
class QWidget;
class QString;

namespace sondex {

// The status bar `PSTBar1` at the top of the client area: rate, bits,
// channels, the CD track or file name, and the red "TM" of a running timer.
struct StatusBar {
    QFrame* frame = nullptr;
    QLabel* track = nullptr;      // PSTBar1_3
    QLabel* timerMark = nullptr;  // PSTBat_JK
};
StatusBar buildStatusBar(QWidget* client);

// The start-up banner `PanelOPEN`: lime green, the title in large bold italic
// underlined type, covering the client area until the start-up has finished.
QFrame* buildStartupBanner(QWidget* client, const QString& title);

}  // namespace sondex
