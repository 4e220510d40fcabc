#pragma once

#include <QObject>

class QSocketNotifier;

namespace sondex {

// Turns SIGTERM, SIGINT and SIGHUP (logout, kill, Ctrl+C) into a signal on
// the GUI thread, so the recorder can close in order and save what it records.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested(int signalNumber);

private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace sondex
