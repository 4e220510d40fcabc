#pragma once

#include "core/Identity.h"
#include "shell/SetupPrompts.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace sondex {

class ProgramShortcuts;
class SettingsStore;

// Where the running program is and what setup and removal may touch. The
// defaults describe this process; tests point every path into a private home.
struct SetupPlace {
    QString executable;       // the running program file
    QStringList companions;   // help page and readme beside it, those that exist
    QStringList arguments;    // without the program name
    bool packaged = false;    // installed by the system's package manager: setup copies nothing
    QString packageEntry;     // the package's menu entry (desktop file id), if it has one
    QString recordPath;       // the uninstall record
    QString handOverPath;     // what the removal tells the uninstaller copy
    QString uninstallerCopy;  // where the removal places that copy
    QString dataFolder;       // the program's lists, day files and reports
    QString settingsPath;
    // Starts a program on its own; false when it could not be started.
    std::function<bool(const QString& program, const QStringList& arguments)> startDetached;
    // "参照"; the program's own folder browser is handed in here.
    FolderChooser chooseFolder;

    static SetupPlace forThisProcess(const Identity& identity, const QStringList& arguments);
};

// The setup window: installs the program for this user (copies it when it runs
// from elsewhere, writes its settings, menu, start-up and desktop entries), and
// removes all of that again in two stages through a copy of the program.
class SetupWindow : public QWidget {
    Q_OBJECT
public:
    SetupWindow(const Identity& identity, RunMode mode, SettingsStore& store, SetupPrompts& prompts,
                SetupPlace place, QWidget* parent = nullptr);
    ~SetupWindow() override;

    // "SONDEX何でもWAV録音 V2．2": title, " V", tens, a full-width dot, units.
    QString displayTitle() const;
    // ~/TAVIKP32/SONDEX, the folder offered when none is stored.
    static QString defaultInstallFolder();

    void Button3Click();  // "設定"
    void Button2Click();  // "中止"
    void Button1Click();  // "参照"

signals:
    void finished();

private:
    void buildInstallPage();
    void fillGroups(const QString& storedGroup);
    bool installSteps();
    bool prepareFolder(const QString& folder, QStringList& created);
    bool copyProgram(const QString& folder, QStringList& copied);
    QString itemTitle() const;
    void applyColours();  // "標準色"
    void notice(const QString& text);

    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void TimerErOutTimer();
    void removeData();
    bool startUninstallerCopy(const QStringList& files, const QStringList& folders,
                              bool keepFolder);
    void finish();

    Identity identity_;
    RunMode mode_;
    SettingsStore& store_;
    SetupPrompts& prompts_;
    SetupPlace place_;
    QLineEdit* Edit1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QCheckBox* CheckBoxST = nullptr;
    QCheckBox* standardColour_ = nullptr;
    QCheckBox* tavikColour_ = nullptr;
    QPushButton* Button3 = nullptr;
    QLabel* working_ = nullptr;
    QTimer* Timer3 = nullptr;
    // What the uninstaller copy still has to remove, from the hand-over.
    QStringList pendingFiles_;
    QStringList pendingFolders_;
    bool keepFolder_ = false;
    int timer3Ticks_ = 0;
};

}  // namespace sondex
