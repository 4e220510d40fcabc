#pragma once

#include <QDialog>

namespace sondex {

struct Identity;

// "パージョン情報": the program file, the title and the stored version.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(const Identity& identity, const QString& version, QWidget* parent);
};

}  // namespace sondex
