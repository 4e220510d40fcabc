#pragma once

#include "ui/dialogs/DialogComponent.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace sondex {

class SystemClock;

// The clock-setting dialog: shows the window `TJikanBox` modally, centred
// over SourceHandle (the main window when none), under the caption
// Title (or the program's title) + " 時刻設定". Execute() returns true when
// the window was closed with OK.
class TJikanBoxDlg : public DialogComponent {
    Q_OBJECT
public:
    using Now = std::function<QDateTime()>;

    // `now` reads the present time; tests pass their own clock.
    TJikanBoxDlg(DialogHost& host, SystemClock& clock, Now now = &QDateTime::currentDateTime,
                 QObject* parent = nullptr);

    bool Execute();

private:
    SystemClock& clock_;
    Now now_;
};

}  // namespace sondex
