#pragma once

#include <QFrame>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace sondex {

// The CD control row at the top of the window: drive and track labels, play
// times, the play-list chooser, play/record and, during play, the play
// controls `Panel1` and the start-position adjuster `PanelCDPOS`.
class CdControlPanel : public QFrame {
    Q_OBJECT
public:
    explicit CdControlPanel(QWidget* parent);

    QFrame* Panel1 = nullptr;
    QFrame* PanelCDPOS = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button12 = nullptr;
    QPushButton* Button35 = nullptr;
    QPushButton* ButtonTRAY = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
};

}  // namespace sondex
