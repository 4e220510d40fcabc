#pragma once

#include "timer/ClockEditTime.h"

#include <QDateTime>
#include <QDialog>

#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace sondex {

class DialogHost;
class SystemClock;
class TMKBoxDlg;

// The window of the clock-setting dialog: the present time, refreshed every
// second; one-touch buttons that move the clock at once; and, behind the
// panel `Panel_Shosai`, a date and time to compose and set. Every set goes
// through the system clock service; a set that does not succeed is told in
// a timed message box and changes nothing.
class TJikanBox : public QDialog {
    Q_OBJECT
public:
    using Now = std::function<QDateTime()>;

    TJikanBox(DialogHost& host, SystemClock& clock, Now now, const QString& caption,
              QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildOneTouch();
    void buildDetails();
    void makeSpin(QWidget* parent, const char* name, const char* unitName, clockedit::Unit unit,
                  int x);
    void Timer_NowTimeTimer();
    void Btn_ShosaiClick();
    void Btn_GetNowTimeClick();
    void setEditTime(const QDateTime& moment);
    void setClock(const QDateTime& moment);

    DialogHost& host_;
    SystemClock& clock_;
    Now now_;
    QDateTime editTime_;
    bool setting_ = false;
    QLabel* Label_NowTime_;
    QLabel* Label_EditTime_ = nullptr;
    QTimer* Timer_NowTime_;
    QFrame* Panel_Shosai_ = nullptr;
    QWidget* details_ = nullptr;
    TMKBoxDlg* messages_;
};

}  // namespace sondex
