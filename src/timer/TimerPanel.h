#pragma once

#include <QFrame>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QButtonGroup;

namespace sondex {

// `Panel_JK`: the time-of-day timer's entries, their editors, the mode and
// sub-list choice, the day group editor and the runner's start and stop.
class TimerPanel : public QFrame {
    Q_OBJECT
public:
    explicit TimerPanel(QWidget* parent);

    QListWidget* ListBox_JK = nullptr;
    QComboBox* ComboBox_TM_Mode = nullptr;
    QComboBox* ComboBox_TM_SUB = nullptr;
    QFrame* Panel_DAY = nullptr;
    QFrame* Panel_TM_Mode = nullptr;
    // What the runner shows while it runs, in place of the two mode boxes.
    QLabel *Label_TM_Mode = nullptr, *Label_TM_SUB = nullptr, *Label_Mode_TM = nullptr, *Label_YoBI_2 = nullptr;
    QPushButton *Button_JK_START = nullptr, *Button_JK_STOP = nullptr;
    QLabel* Label_JK_MODE = nullptr;
    QPushButton* Button_JK_CLOSE = nullptr;
    // The start and end hours and minutes of the entry being set.
    QLabel *Label_JK_SH = nullptr, *Label_JK_SM = nullptr, *Label_JK_EH = nullptr, *Label_JK_EM = nullptr;
    QButtonGroup* RadioGroup_JK = nullptr;
};

}  // namespace sondex
