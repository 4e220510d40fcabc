#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace sondex {

// `Panel6`: prepare, start, pause, resume, stop and close a manual recording,
// with the recorded seconds, the timer's end mark and the format label.
class ManualPanel : public QFrame {
    Q_OBJECT
public:
    explicit ManualPanel(QWidget* parent);

    QPushButton* Button1 = nullptr;
    QPushButton* Button18 = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label_Rate = nullptr;
    QLabel* Label_YoBI = nullptr;
    QLabel* Label_JK_TM = nullptr;
};

}  // namespace sondex
