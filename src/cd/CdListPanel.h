#pragma once

#include <QFrame>

class QComboBox;
class QListWidget;

namespace sondex {

// The CD list area: the registered list, the search list, the CD searches and
// the buttons that copy and move entries between them.
class CdListPanel : public QFrame {
    Q_OBJECT
public:
    explicit CdListPanel(QWidget* parent);

    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QComboBox* ComboBox2 = nullptr;
};

}  // namespace sondex
