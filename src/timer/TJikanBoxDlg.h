#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace sondex {

class DialogHost;
class SystemClock;

// The clock-setting dialog: shows the window `TJikanBox` modally, centred
// over SourceHandle (the main window when none), under the caption
// Title (or the program's title) + " 時刻設定". Execute() returns true when
// the window was closed with OK.
class TJikanBoxDlg : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Title READ title WRITE setTitle)
    Q_PROPERTY(QWidget* SourceHandle READ sourceHandle WRITE setSourceHandle)
public:
    using Now = std::function<QDateTime()>;

    // `now` reads the present time; tests pass their own clock.
    TJikanBoxDlg(DialogHost& host, SystemClock& clock, Now now = &QDateTime::currentDateTime,
                 QObject* parent = nullptr);

    bool Execute();

    QString title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    QWidget* sourceHandle() const { return sourceHandle_; }
    void setSourceHandle(QWidget* window) { sourceHandle_ = window; }

private:
    DialogHost& host_;
    SystemClock& clock_;
    Now now_;
    QString title_;
    QPointer<QWidget> sourceHandle_;
};

}  // namespace sondex
