#pragma once

#include "app/MainMenus.h"
#include "app/WindowAreas.h"
#include "core/Identity.h"
#include "core/RecorderFlags.h"
#include "core/Switches.h"
#include "platform/MixerLauncher.h"
#include "ui/dialogs/DialogHost.h"

#include <QDateTime>
#include <QMainWindow>

#include <functional>
#include <memory>

class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QDragEnterEvent;
class QDropEvent;
class QAction;
class QListWidget;
class QTimer;

namespace sondex {

namespace leftovers {
struct Variant;
}

class CdControlPanel;
class CdDeviceAccess;
class CdDriveSelection;
class CdUnitQueries;
class CdListPanel;
class CdLists;
class CdSearch;
class CdSequencer;
class MusicRecording;
class RecordingController;
class Commands;
class DesktopServices;
class DiskSpaceQueries;
class ManualPanel;
class MusicPanel;
class PopupOpener;
class Settings;
class SettingsStore;
class TMKBoxDlg;
class TReNameBoxDlg;
class TTmSETBoxDlg;
class TimerLists;
class TimerPanel;
class MciChannel;
class ManualRecording;
class FormatCommands;
class RecordingLog;
class RecordingSession;
class WindowPrompts;
enum class LogSender;
enum class RecordingKind;
class PowerOff;
class SystemClock;
class TJikanBoxDlg;
class SleepInhibitor;
class TimeOfDayTimer;
class TrayBackend;
class TrayIcons;
class TTaskTray;

// The services the window works with, chosen by the program entry; tests
// pass doubles.
struct WindowServices {
    DesktopServices& desktop;
    PowerOff& powerOff;
    MciChannel& channel;
    SystemClock& clock;
    // Held while the time-of-day timer runs, so the machine does not sleep through a start.
    SleepInhibitor& sleep;
    // The time-of-day timer's clock (local time); empty: the wall clock.
    std::function<QDateTime()> timeOfDay = {};
    // The notification area; empty: the desktop's own.
    TrayBackend* tray = nullptr;
    // The free space of folders' file systems; null: the machine's.
    DiskSpaceQueries* diskSpace = nullptr;
    // The sound mixer of the volume commands; null: the desktop's.
    MixerLauncher* mixer = nullptr;
};

// The recorder's main window `TSONDEX_TAVIK`: a small client area of stacked
// panels (CD controls and lists; music, manual recording and the timer over
// the lists), the main menu and the pop-up menus. Panels live with their
// subsystem; this class composes them and owns the window-wide rules: the two
// heights, the resize rules, the colours, the flags and the menus' openings.
class MainWindow : public QMainWindow, public DialogHost {
    Q_OBJECT
public:
    // The arguments are the program's command line, without the program name.
    MainWindow(const Identity& identity, Settings& settings, SettingsStore& store, WindowServices services,
               QStringList arguments = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    RecordingSession& session() { return *session_; }
    ManualRecording& manualRecording() { return *manualRec_; }
    // The CD unit choice; unitChosen() tells the CD device.
    CdDriveSelection& cdDrives() { return *cdDrives_; }
    CdDeviceAccess& cdAccess() { return *cdAccess_; }
    CdLists& cdLists() { return *cdLists_; }
    CdSequencer& cdSequencer() { return *cdSeq_; }
    RecordingLog& recordingLog() { return *log_; }

    bool isStartingUp() const { return startingUp_; }
    bool isCloseDone() const { return closeDone_; }
    QString recordingFolder() const;
    // The commands by name (for bindings and tests), and by menu as typed handles.
    Commands& commands() { return *commands_; }
    const WindowCommands& menus() const { return menus_; }
    TMKBoxDlg& MKBoxDlg1() { return *MKBoxDlg1_; }
    TTmSETBoxDlg& TmSETBoxDlg1() { return *TmSETBoxDlg1_; }
    TJikanBoxDlg& JikanBoxDlg1() { return *JikanBoxDlg1_; }
    QWidget* client() const { return client_; }

    // DialogHost
    QWidget* mainWindow() const override { return const_cast<MainWindow*>(this); }
    QColor backgroundColour() const override;
    QColor textColour() const override;
    bool toolTipsShown() const override;
    RecorderFlags& flags() override { return flags_; }
    QString programTitle() const override { return identity_.AppTitle; }

    // The two heights of the client area, and whether it is the short one now.
    int compactClientHeight() const;
    int fullClientHeight() const;
    bool isCompact() const;

    // Window commands.
    void Button7Click();       // "><": toggle the height
    void K1Click();            // show the music/manual area
    void Button30Click();      // close the music area
    void Button23Click();      // open the manual recording panel
    void Button22Click();      // close the manual recording panel
    void MO_JKClick();         // show the timer panel
    void MHELP_VERCUTClick();  // clear the stored version
    void HELP2Click();         // about window
    void MQ_AClick();          // contact notice
    void HELP_MOKUJIClick();   // help contents
    void HELP_KEYWORDClick();  // help keyword search
    void MTempSetClick();      // choose the recording folder
    void MKIROKUClick(LogSender sender);  // write and show the recording log
    void MKIROKUCLRClick();    // clear the recording log
    void MS_REC_TXTClick();    // show the previous run's log
    void MF_AUTO_OFFClick();   // arm or disarm the exit after recording
    void MF_AUTO_OFF_WINClick();  // arm or disarm the power-off after recording
    void ComboBox2Change(int index);  // choose a CD unit in the drive box
    void MO_CDIMAGEClick();    // add a disc image as a CD unit
    void MO_CDVSETClick();     // make every CD unit audible, and report
    void PTEMPClick(QAction* sender);   // TEMP: show or delete the leftover temporary files
    void MR_TMPClick(QAction* sender);  // TMP: the same
    void offerLeftoverRecovery();       // after the automatic start: save lost takes
    void MO_SetNowTimeClick(); // set the clock (also PR_SetNowTime)
    void ButtonTRAYClick();    // to the tray (a minimised window where there is none)
    void TRIconOFFClick();     // back from the tray
    TTaskTray& TaskTray1() { return *TaskTray1_; }
    // The largest recording the free space allows, for the folder: in the
    // plain box for seconds 0, else in the timed box closing after them.
    void ShowMaxRecordSize(int seconds, const QString& folder);
    void PAKIClick();          // list every volume's free space

    // The clock-setting dialog; true when it was closed with OK. The end of
    // the start-up shows it when SetNowTime_Select is on.
    bool showClockDialog();

    // Every close request of the program comes here (menus, tray, signals,
    // the end of a recording): one that arrives while a close is saving beeps
    // and is refused.
    bool requestClose();

    // Called each time a finished recording has been logged: when the exit
    // after recording is armed, the program closes now and this returns true.
    bool CloseAfterRecording();

    // The command line of a later start.
    void onForwardedLine(const QString& line);
    // Files (or CD track files) dropped on the window.
    void onDroppedFiles(QStringList names);
    // A device notice: MM_MCINOTIFY directly, 1034 and 1035 through the relays.
    void onDeviceNotice(int message, qint64 wParam, qint64 lParam);

signals:
    void startupFinished();
    // The close has run to its end (and the power-off, when armed, has been tried).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildClient();
    void buildMenus();
    void bindCommands();
    void placeWindow();

    // Start-up: window creation, the first run, the deferred start-up.
    void createWindow();
    void Timer6Timer();
    void Timer1Timer();
    void loadLists();
    // The CD units: found at start-up, shown in the drive menu, box and list.
    void buildCdDrives();
    void buildCdAccess();
    // CD play and record: the lists, the sequencer and the searches, their commands and what they show.
    void buildCdPlay();
    void buildCdSearch();
    void bindCdListCommands();
    void bindCdPlayCommands();
    void presentCdPlay();
    void presentRecordAlong();
    // The music list: its commands and what the music panel shows of it.
    void buildMusicList();
    void bindMusicPlayCommands();
    void presentMusicPlay();
    void Button31Click();  // add music files
    void presentMusicList();
    QListWidget* musicListInView() const;
    // Renaming the selected music files one after the other.
    void buildRename();
    void PRENAMEClick();
    void presentRenamedEntry(int row);
    void fillCdDrives();
    void presentCdUnits();
    void presentCdSelection();
    // The time-of-day timer's lists: their commands, the start-up load and the close's store.
    void buildTimerLists();
    void bindTimerListCommands();
    void bindTimerEditorCommands();
    void loadTimerLists();
    void storeTimerLists();
    void showTimerPanel();
    // The time-of-day timer's runner: its hooks into manual recording, its labels.
    void buildTimerRun(SleepInhibitor& sleep, std::function<QDateTime()> timeOfDay);
    void applyTimerEndAction(QChar action);
    void presentTimerRun();
    // The tray icon: its menus by button, its picture and tip, going there and back.
    void buildTray(TrayBackend* backend);
    void setUpTrayIcon();
    void TaskTray1MouseDown(Qt::MouseButton button);
    void applyStartupSwitches();
    void goToTray();
    void runAutomaticStart();
    // The size report and the volume list; the report after a change of format or folder.
    void buildDiskSpace();
    void showAutomaticSizeReport();

    // The recordings: format, session, manual recording, log.
    void buildRecording();
    void logRecording(RecordingKind kind, const QString& path, int recordedMs);
    bool timerRunning() const;

    // Switches of a command line; opening the manual panel for a start they ask for.
    void applySwitches(const SwitchRequest& request, SwitchSource source);
    bool openManualPanel();
    // The kind of recording is armed or running, so another panel must not open.
    bool runActive(RecordingKind kind) const;
    void presentManualRecording();

    // Close: the query, the saves, the power-off.
    bool closeQuery();
    void abandonStartup();
    // A close has begun or ended: start-up steps still under way stop.
    bool closing() const { return closeInProgress_ || closeDone_; }
    bool stopAndSaveRecordings();
    void saveLists();
    void writeBack();
    void removeTrayIcon();
    void finishClose();
    void powerOffMachine();

    void setClientHeight(int height);
    void pullIntoWorkArea();
    void layoutMusicArea();
    void applyWindowColour();
    void applyListColours();
    void applyTimeLabelColours();
    void applyRepeatColours();
    void bindNumberCommands();
    void bindClockCommands();
    void bindLeftoverCommands();
    void bindShortcutCommands();
    // The volume button and menu open the sound mixer; the start-up file in the viewer.
    void bindVolumeCommands();
    void Button35Click();
    // A failure shows the notice, with the package to install when the mixer is missing.
    bool openMixer(MixerLauncher::Tab tab, bool large, const QString& notice);
    bool mixerLarge() const;
    void onVolumeMenuOpening();
    void PVOL_SClick(bool small);
    void MR_AUTOEXECClick();
    void runLeftoverCommand(const leftovers::Variant& variant, bool deleting);
    void writeNumberCaptions();
    void onStartMenuOpening();
    void onOptionsMenuOpening();
    void onTrayMenuOpening();
    void showSwitchError();
    QString helpPage() const;
    QString storedVersionText() const;

    Identity identity_;
    Settings& settings_;
    SettingsStore& store_;
    DesktopServices& desktop_;
    PowerOff& powerOff_;
    MciChannel& channel_;
    SystemClock& clock_;
    DiskSpaceQueries& disks_;
    MixerLauncher& mixer_;
    QStringList arguments_;
    SwitchRequest startupRequest_;
    RecorderFlags flags_;
    Commands* commands_;
    WindowCommands menus_;
    TMKBoxDlg* MKBoxDlg1_;
    TTmSETBoxDlg* TmSETBoxDlg1_;
    TJikanBoxDlg* JikanBoxDlg1_ = nullptr;
    TReNameBoxDlg* ReNameBoxDlg1_ = nullptr;
    PopupOpener* popups_;
    QWidget* client_ = nullptr;
    CdControlPanel* cd_ = nullptr;
    CdListPanel* cdList_ = nullptr;
    QFrame* Panel2_ = nullptr;
    QPushButton* Button23_ = nullptr;
    MusicPanel* music_ = nullptr;
    ManualPanel* manual_ = nullptr;
    TimerPanel* timer_ = nullptr;
    TimerLists* timerLists_ = nullptr;
    QObject* pressedTimeLabel_ = nullptr;  // the time label whose pop-up is open
    ManualRecording* manualRec_ = nullptr;
    TimeOfDayTimer* timerRun_ = nullptr;
    CdDriveSelection* cdDrives_ = nullptr;
    std::unique_ptr<CdUnitQueries> cdUnitQueries_;
    std::unique_ptr<CdDeviceAccess> cdAccess_;
    CdLists* cdLists_ = nullptr;
    CdSequencer* cdSeq_ = nullptr;
    CdSearch* cdSearch_ = nullptr;
    bool cdSearching_ = false;
    MusicRecording* musicRec_ = nullptr;
    // Every kind of recording, in the order the close saves them.
    QList<RecordingController*> controllers_;
    FormatCommands* format_ = nullptr;
    std::unique_ptr<WindowPrompts> prompts_;
    std::unique_ptr<RecordingLog> log_;
    std::unique_ptr<RecordingSession> session_;
    QFrame* PanelOPEN_ = nullptr;
    StatusBar PSTBar1_;
    QMenu* PopupMenu1_ = nullptr;
    QTimer* Timer1_;
    QTimer* Timer6_;
    int creationClientWidth_ = 0;
    bool startingUp_ = true;
    bool closeDone_ = false;
    bool closeInProgress_ = false;
    bool powerOffAfterClose_ = false;
    QString timerRunStateAtClose_;  // `JK` as the close found it
    // The icon goes before the registry it is listed in, the registry before the backend.
    std::unique_ptr<TrayBackend> ownTray_;
    std::unique_ptr<TrayIcons> trayIcons_;
    std::unique_ptr<TTaskTray> TaskTray1_;
    bool trayMouseRunning_ = false;
    bool trayMissingTold_ = false;  // the minimise in its place has been explained once
};

}  // namespace sondex
