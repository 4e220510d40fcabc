#pragma once

#include <QFrame>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace sondex {

class SpinButton;

// The CD control row at the top of the window: drive and track labels, play
// times, the play-list chooser, play/record and, during play, the play
// controls `Panel1` and the start-position adjuster `PanelCDPOS`.
class CdControlPanel : public QFrame {
    Q_OBJECT
public:
    explicit CdControlPanel(QWidget* parent);

    QFrame* Panel1 = nullptr;
    QFrame* PanelCDPOS = nullptr;
    QLabel* Label1 = nullptr;  // where the entry stops
    QLabel* Label2 = nullptr;  // where the CD is
    QLabel* Label3 = nullptr;  // first track "-" track count
    QLabel* Label4 = nullptr;  // track, or "@"
    QLabel* Label5 = nullptr;  // the entry's playing time
    QLabel* Label6 = nullptr;  // drive
    QLabel* Label7 = nullptr;  // which list the selection list copies
    QLabel* Label8 = nullptr;  // hidden: the disc summary
    QPushButton* Button7 = nullptr;
    QPushButton* Button12 = nullptr;  // play/record
    QPushButton* Button13 = nullptr;  // pause
    QPushButton* Button14 = nullptr;  // back
    QPushButton* Button15 = nullptr;  // skip
    QPushButton* Button16 = nullptr;  // stop
    QPushButton* Button17 = nullptr;  // resume, under Button13
    SpinButton* SpinButton1 = nullptr;  // the resume position's minutes,
    SpinButton* SpinButton2 = nullptr;  // seconds
    SpinButton* SpinButton3 = nullptr;  // and hundredths
    QPushButton* ButtonCDPOSINI = nullptr;
    QPushButton* Button35 = nullptr;
    QPushButton* ButtonTRAY = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
};

}  // namespace sondex
