#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace sondex {

class ManualRecording;

// `Panel6`: prepare, start, pause, resume, stop and close a manual recording,
// with the recorded seconds, the timer's end mark and the format label.
class ManualPanel : public QFrame {
    Q_OBJECT
public:
    explicit ManualPanel(QWidget* parent);

    // Shows the recording's state: which buttons work, the recorded seconds,
    // the end mark and the timer, and the indicator colour while prepared.
    void present(const ManualRecording& recording, const QColor& indicator);

    QPushButton* Button1 = nullptr;
    QPushButton* Button18 = nullptr;
    QPushButton* Button19 = nullptr;
    QPushButton* Button20 = nullptr;
    QPushButton* Button21 = nullptr;
    QPushButton* Button22 = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label_Rate = nullptr;
    QLabel* Label_YoBI = nullptr;
    QLabel* Label_JK_TM = nullptr;
    QLabel* Label_TM_ONOFF = nullptr;
};

}  // namespace sondex
