#include "app/ProgramEntry.h"

#include "app/MainWindow.h"
#include "core/Logging.h"
#include "core/NoticeRelay.h"
#include "core/NoticeRouting.h"
#include "ui/AppIcon.h"
#include "core/Settings.h"
#include "core/WindowMessages.h"
#include "platform/AppPaths.h"
#include "ui/SystemDesktopServices.h"
#include "platform/IniSettingsStore.h"
#include "platform/InstanceLock.h"
#include "platform/LineForwarding.h"
#include "platform/PowerOff.h"
#include "platform/SleepInhibitor.h"
#include "platform/SystemClock.h"
#include "platform/mci/Engine.h"
#include "cd/CdDriveSelection.h"
#include "core/MciChannel.h"
#include "platform/TerminationSignals.h"
#include "files/TDIR2OPENDLG.h"
#include "files/TDIR2VIEWForm.h"
#include "shell/SetupPrompts.h"
#include "shell/SetupWindow.h"
#include "core/RecorderFlags.h"
#include "ui/dialogs/DialogHost.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QApplication>
#include <QPalette>

#include <cstdio>

namespace sondex {

InstanceFiles InstanceFiles::inRuntimeFolder() {
    const QString folder = paths::runtimeFolder();
    return {folder + QStringLiteral("SONDEX.entry.lock"), folder + QStringLiteral("SONDEX.recorder.lock"),
            folder + QStringLiteral("SONDEX.recorder.sock"), folder + QStringLiteral("SONDEX.setup.lock")};
}

RunMode refineRunMode(RunMode mode, const InstanceFiles& files) {
    if (mode == RunMode::Uninstall &&
        (InstanceLock::isHeldElsewhere(files.recorderLock) || InstanceLock::isHeldElsewhere(files.setupLock)))
        return RunMode::UninstallRefused;
    return mode;
}

QString joinForwardedArguments(const QStringList& arguments) { return arguments.join(u'?'); }

namespace {

// Owner of a box shown before the recorder's window exists.
class NoWindowHost final : public DialogHost {
public:
    explicit NoWindowHost(QString title) : title_(std::move(title)) {}
    QWidget* mainWindow() const override { return nullptr; }
    QColor backgroundColour() const override { return QApplication::palette().color(QPalette::Window); }
    QColor textColour() const override { return QApplication::palette().color(QPalette::WindowText); }
    bool toolTipsShown() const override { return true; }
    RecorderFlags& flags() override { return flags_; }
    QString programTitle() const override { return title_; }

private:
    QString title_;
    RecorderFlags flags_;
};

// Said before the window is created: the defaults bring the first run's
// questions, which would cover a box shown over the window at once.
void tellSettingsUnreadable(const QString& path, const QString& programTitle) {
    qCInfo(lcStartup).noquote() << "settings file unreadable:" << path;
    NoWindowHost host(programTitle);
    TMKBoxDlg box(host);
    box.TMMsgBox(QStringLiteral("設定ファイルが読めません：\n ") + path +
                     QStringLiteral("\n 初期値で起動します。\n 今回の設定は保存されません。"),
                 BoxAnswer::Ok);
}

}  // namespace

ProgramEntry::ProgramEntry(QStringList arguments, QString invokedAs)
    : arguments_(std::move(arguments)), invokedAs_(std::move(invokedAs)) {}

int ProgramEntry::run(QApplication& app) {
    const Identity identity = Identity::forThisUser();
    const InstanceFiles files = InstanceFiles::inRuntimeFolder();
    QApplication::setWindowIcon(applicationIcon());
    // Desktops match the windows to the package's menu entry, and its icon, by this name.
    QApplication::setDesktopFileName(QStringLiteral("jp.tavik.Sondex"));

    // Starts decide one at a time, so two starts at the same moment give one
    // recorder: the second waits here until the first is listening.
    InstanceLock entryLock(files.entryLock);
    entryLock.lock();

    const RunMode mode = initialRunMode(arguments_, invokedAs_, identity.UninstallerName);
    if (mode != RunMode::Normal) {
        const RunMode refined = refineRunMode(mode, files);
        InstanceLock setupLock(files.setupLock);
        setupLock.tryLock();
        entryLock.unlock();
        return runSetup(app, identity, refined);
    }

    InstanceLock recorderLock(files.recorderLock);
    if (!recorderLock.tryLock()) {
        const bool delivered = forwardLine(files.recorderSocket, joinForwardedArguments(arguments_));
        if (!delivered) std::fputs("sondex: the running recorder does not answer\n", stderr);
        return delivered ? 0 : 1;
    }

    IniSettingsStore store(paths::settingsFile());
    // A file that is there but cannot be read is no new user's: setup would
    // replace it, so the recorder runs on the defaults and leaves it alone.
    // Later starts wait on the entry lock meanwhile and forward their lines.
    if (store.isUnreadable()) {
        store.refuseWrites();
        tellSettingsUnreadable(store.path(), identity.AppTitle);
    } else if (storedVersion(store.readText(QStringLiteral("Version"))) != identity.ExpectedVersion) {
        recorderLock.unlock();
        InstanceLock setupLock(files.setupLock);
        if (!setupLock.tryLock()) return 0;  // a setup window is already open
        entryLock.unlock();
        return runSetup(app, identity, RunMode::Normal);
    }

    LineForwardServer server(files.recorderSocket);
    if (!server.listen()) {
        std::fputs("sondex: cannot listen for later starts\n", stderr);
    }
    entryLock.unlock();

    Settings settings(identity.ProgramFolder);
    SystemDesktopServices desktop;
    LogindPowerOff powerOff;
    TimedatedClock clock;
    LogindSleepInhibitor sleepLock;
    mci::Engine engine;
    MciChannel channel(engine, [] { QCoreApplication::processEvents(); });
    MainWindow window(identity, settings, store, {desktop, powerOff, channel, clock, sleepLock}, arguments_);
    // The engine plays the unit the user chose and records a CD take as the setting says.
    QObject::connect(&window.cdDrives(), &CdDriveSelection::unitChosen, &window,
                     [&engine](QChar letter) { engine.setDefaultCdUnit(letter); });
    QObject::connect(&settings, &Settings::changed, &window, [&engine, &settings](Setting changed) {
        if (changed == Setting::CDSTREAMREC) engine.setRecordOwnPlayback(settings.isOn(changed));
    });
    NoticeRelay sub0(QStringLiteral("TTAVIK_SONDEX_SUB0"), msg::MusicNotice);
    NoticeRelay sub1(QStringLiteral("TTAVIK_SONDEX_SUB1"), msg::CdNotice);
    QObject::connect(&sub0, &NoticeRelay::forwarded, &window, &MainWindow::onDeviceNotice);
    QObject::connect(&sub1, &NoticeRelay::forwarded, &window, &MainWindow::onDeviceNotice);
    routeDeviceNotices(channel, window,
                       [&window](qint64 w, qint64 l) { window.onDeviceNotice(msg::MM_MCINOTIFY, w, l); }, sub0,
                       sub1);
    QObject::connect(&server, &LineForwardServer::lineReceived, &window, &MainWindow::onForwardedLine);
    TerminationSignals signals_;
    QObject::connect(&signals_, &TerminationSignals::terminationRequested, &window, &MainWindow::requestClose);
    // The program ends when the close has run to its end, not when the window goes.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);
    window.show();
    return app.exec();
}

int ProgramEntry::runSetup(QApplication& app, const Identity& identity, RunMode mode) {
    IniSettingsStore store(paths::settingsFile());
    SetupBoxPrompts prompts;
    SetupPlace place = SetupPlace::forThisProcess(identity, arguments_);
    place.chooseFolder = [&prompts](QWidget* owner, const QString& title, const QString& start,
                                    bool standardColour) {
        TDIR2OPENDLG browser(prompts.host());
        browser.setTitle(title);
        browser.setSourceHandle(owner);
        browser.setDirectory(start);
        browser.setStandardColor(standardColour);
        const bool chosen = browser.Execute(QString()) == TDIR2VIEWForm::kChosen;
        return chosen ? browser.directory() : QString();
    };
    SetupWindow window(identity, mode, store, prompts, std::move(place));
    prompts.setWindow(&window);
    if (mode == RunMode::Normal) window.show();
    QObject::connect(&window, &SetupWindow::finished, &app, &QApplication::quit, Qt::QueuedConnection);
    return app.exec();
}

}  // namespace sondex
