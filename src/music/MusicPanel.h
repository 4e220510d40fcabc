#pragma once

#include <QFrame>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace sondex {

class ListResizeBar;
class SpinButton;

// `Panel4`: the music files, their play/record controls, the list with its
// file-name-only view and resize bar, and the music status bar `PSTBar2`.
class MusicPanel : public QFrame {
    Q_OBJECT
public:
    explicit MusicPanel(QWidget* parent);

    // Both music lists in 12-point type, or in the panel's own font again.
    void setBigFont(bool on);

    QFrame* PanelFN = nullptr;
    ListResizeBar* PanelFNVU = nullptr;
    QListWidget* ListBox3 = nullptr;
    QListWidget* ListBoxFNF = nullptr;
    QCheckBox* MIDSAVE = nullptr;
    QCheckBox* MIDREP = nullptr;
    QLabel* Label13 = nullptr;  // where the entry ends, in seconds
    QLabel* Label14 = nullptr;  // seconds played
    QFrame* Panel5 = nullptr;   // the play controls, while music plays
    QPushButton* Button25 = nullptr;  // pause
    QPushButton* Button26 = nullptr;  // back
    QPushButton* Button27 = nullptr;  // skip
    QPushButton* Button28 = nullptr;  // stop
    QPushButton* Button29 = nullptr;  // resume, under Button25
    QFrame* PanelMIDIPOS = nullptr;   // the resume position, while paused
    SpinButton* SpinButton4 = nullptr;
    SpinButton* SpinButton5 = nullptr;
    SpinButton* SpinButton6 = nullptr;
    QPushButton* ButtonMIDIPOSINI = nullptr;
    QLabel* PSTBar2_0 = nullptr;  // a WAV entry's rate, bits, channels
    QLabel* PSTBar2_1 = nullptr;
    QLabel* PSTBar2_2 = nullptr;
    QLabel* PSTBar2_3 = nullptr;  // the file name
    QLabel* Label10 = nullptr;        // the number of listed files
    QPushButton* Button24 = nullptr;  // play/record the music list
    QPushButton* Button31 = nullptr;  // add files
    QPushButton* Button32 = nullptr;  // delete the selected files
    QPushButton* Button33 = nullptr;  // move them up
    QPushButton* Button34 = nullptr;  // move them down
    QPushButton* Button30 = nullptr;  // close the music area

protected:
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace sondex
