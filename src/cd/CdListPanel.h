#pragma once

#include <QFrame>

class QComboBox;
class QListWidget;
class QPushButton;

namespace sondex {

// The CD list area: the registered list, the search list, the CD searches and
// the buttons that copy and move entries between them.
class CdListPanel : public QFrame {
    Q_OBJECT
public:
    explicit CdListPanel(QWidget* parent);

    QPushButton* Button8 = nullptr;   // search all CDs
    QPushButton* Button9 = nullptr;   // search one CD
    QPushButton* Button10 = nullptr;  // the registered list as the selection list
    QPushButton* Button11 = nullptr;  // the search list as the selection list
    QPushButton* Button2 = nullptr;   // copy every search entry
    QPushButton* Button3 = nullptr;   // copy the selected search entries
    QPushButton* Button_DEL = nullptr;
    QPushButton* Button_ALLDEL = nullptr;
    QPushButton* Button5 = nullptr;  // move up
    QPushButton* Button6 = nullptr;  // move down
    QListWidget* ListBox1 = nullptr;  // the registered list
    QListWidget* ListBox2 = nullptr;  // the search list
    QComboBox* ComboBox2 = nullptr;   // the CD unit
    QListWidget* ListBoxSZ = nullptr;  // hidden: the disk volumes and CD units
};

}  // namespace sondex
