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
    QPushButton* Button10 = nullptr;  // the registered list
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QComboBox* ComboBox2 = nullptr;   // the CD unit
    QListWidget* ListBoxSZ = nullptr;  // hidden: the disk volumes and CD units
};

}  // namespace sondex
