#pragma once

#include <QMainWindow>

class QLabel;

namespace sondex {

class Settings;
class SettingsStore;
struct Identity;

// The recorder's main window. It owns the start-up flag: until the deferred
// start-up has run, closing the window saves nothing.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(const Identity& identity, Settings& settings, SettingsStore& store,
               QWidget* parent = nullptr);

    bool isStartingUp() const { return startingUp_; }

public slots:
    // A command line handed over by a later start of the program.
    void onForwardedLine(const QString& line);
    // A device notice, either directly (MM_MCINOTIFY) or through a relay (1034, 1035).
    void onDeviceNotice(int message, qint64 wParam, qint64 lParam);

signals:
    void startupFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void placeWindow();
    void deferredStartup();
    void writeBack();

    Settings& settings_;
    SettingsStore& store_;
    QLabel* lastLine_;
    bool startingUp_ = true;
    bool closeDone_ = false;
};

// Moves a window of the given size so it lies inside the work area: first
// not past its right and bottom edges, then not before its left and top.
QPoint clampIntoWorkArea(QPoint topLeft, QSize size, const QRect& workArea);

}  // namespace sondex
