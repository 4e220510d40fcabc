#pragma once

#include "core/Identity.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QLabel;

namespace sondex {

class Notifier;
class SettingsStore;

// The setup window: installs (writes what the recorder needs to start) when
// the stored version differs, and answers the removal modes.
class SetupWindow : public QWidget {
    Q_OBJECT
public:
    SetupWindow(const Identity& identity, RunMode mode, SettingsStore& store, Notifier& notifier,
                QWidget* parent = nullptr);

    // "SONDEX何でもWAV録音 V2．2": title, " V", tens, a full-width dot, units.
    QString displayTitle() const;
    // ~/TAVIKP32/SONDEX, the folder offered when none is stored.
    static QString defaultInstallFolder();

    void install();    // Button3 "設定"
    void giveUp();     // Button2 "中止"

signals:
    void finished();

private:
    void buildInstallPage();
    void startRemoval();
    void finish();

    Identity identity_;
    RunMode mode_;
    SettingsStore& store_;
    Notifier& notifier_;
    QLineEdit* edit1_ = nullptr;
    QComboBox* comboBox1_ = nullptr;
    QCheckBox* standardColour_ = nullptr;
    QCheckBox* tavikColour_ = nullptr;
    QPushButton* button3_ = nullptr;
};

}  // namespace sondex
