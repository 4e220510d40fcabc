#include "support/RecorderRig.h"

#include "support/DialogTestSupport.h"

#include "app/MainWindow.h"
#include "app/ProgramEntry.h"
#include "cd/CdDriveSelection.h"
#include "core/Identity.h"
#include "core/MciChannel.h"
#include "core/NoticeRelay.h"
#include "core/NoticeRouting.h"
#include "ui/dialogs/TMKBoxDlg.h"
#include "core/RecordingLog.h"
#include "core/Settings.h"
#include "core/WindowMessages.h"
#include "platform/AppPaths.h"
#include "platform/IniSettingsStore.h"
#include "platform/InstanceLock.h"
#include "platform/LineForwarding.h"
#include "platform/mci/Engine.h"
#include "support/FakeDesktop.h"
#include "support/QuietSettings.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>

namespace sondex::test {

namespace {

// Runs the event loop until `done` holds or the time is up, looking every 50 ms.
bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    look.start(50);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (!done()) loop.exec();
    return done();
}

}  // namespace

// The recorder as the program entry puts it together, with the desktop and
// the power-off as doubles.
struct RecorderRig::Recorder {
    const Identity identity = Identity::forThisUser();
    const InstanceFiles files = InstanceFiles::inRuntimeFolder();
    InstanceLock lock{files.recorderLock};
    LineForwardServer forwarding{files.recorderSocket};
    IniSettingsStore store{paths::settingsFile()};
    Settings settings{identity.ProgramFolder};
    FakeDesktop desktop;
    FakePowerOff powerOff;
    FakeSystemClock clock;
    FakeSleepInhibitor sleep;
    mci::Engine engine;
    MciChannel channel{engine, [] { QCoreApplication::processEvents(); }};
    std::unique_ptr<MainWindow> window;
    NoticeRelay sub0{QStringLiteral("TTAVIK_SONDEX_SUB0"), msg::MusicNotice};
    NoticeRelay sub1{QStringLiteral("TTAVIK_SONDEX_SUB1"), msg::CdNotice};
    BoxTextWatch boxes;

    void build(std::function<QDateTime()> timeOfDay) {
        window = std::make_unique<MainWindow>(identity, settings, store,
                                              WindowServices{desktop, powerOff, channel, clock, sleep, std::move(timeOfDay)});
        MainWindow* w = window.get();
        QObject::connect(&w->cdDrives(), &CdDriveSelection::unitChosen, w,
                         [this](QChar letter) { engine.setDefaultCdUnit(letter); });
        QObject::connect(&settings, &Settings::changed, w, [this](Setting changed) {
            if (changed == Setting::CDSTREAMREC) engine.setRecordOwnPlayback(settings.isOn(changed));
        });
        QObject::connect(&sub0, &NoticeRelay::forwarded, w, &MainWindow::onDeviceNotice);
        QObject::connect(&sub1, &NoticeRelay::forwarded, w, &MainWindow::onDeviceNotice);
        routeDeviceNotices(channel, *w, [w](qint64 wp, qint64 lp) { w->onDeviceNotice(msg::MM_MCINOTIFY, wp, lp); },
                           sub0, sub1);
        QObject::connect(&forwarding, &LineForwardServer::lineReceived, w, &MainWindow::onForwardedLine);
        QApplication::setQuitOnLastWindowClosed(false);
    }
};

RecorderRig::RecorderRig(QString recorderBinary) : recorderBinary_(std::move(recorderBinary)) {}

RecorderRig::~RecorderRig() = default;

bool RecorderRig::fail(const QString& why) {
    failure_ = why;
    return false;
}

QString RecorderRig::recordingFolder() const { return scratch_.filePath(QStringLiteral("TEMPALL")); }

bool RecorderRig::prepare() {
    if (!server_.start(true, 44100)) return fail(QStringLiteral("no sound server: ") + server_.failure());
    server_.applyToThisProcess();

    // A run of an earlier test in this home leaves its settings and its log.
    const Identity identity = Identity::forThisUser();
    FakeDesktop nowhere;
    QFile::remove(RecordingLog(identity.ProgramFolder, nowhere).filePath());
    QFile::remove(paths::settingsFile());
    QDir().mkpath(recordingFolder());
    IniSettingsStore store(paths::settingsFile());
    if (!writeQuietSettings(store, recordingFolder()))
        return fail(QStringLiteral("cannot write ") + store.path());
    return prepareMaterial();
}

bool RecorderRig::run(const QStringList& arguments, int timeoutMs, const std::function<void()>& handedOver) {
    // A longer line arrives empty, and the take would wait for nothing.
    if (const qsizetype length = joinForwardedArguments(arguments).size(); length > kMaxForwardedCharacters)
        return fail(QStringLiteral("the line to hand over is %1 characters; at most %2 arrive")
                        .arg(length)
                        .arg(kMaxForwardedCharacters));
    recorder_ = std::make_unique<Recorder>();
    if (!recorder_->lock.tryLock()) return fail(QStringLiteral("another recorder runs in this home"));
    if (!recorder_->forwarding.listen()) return fail(QStringLiteral("cannot listen for a second start"));
    recorder_->build(timeOfDay());
    MainWindow& window = *recorder_->window;
    bool startedUp = false;
    bool closed = false;
    QObject::connect(&window, &MainWindow::startupFinished, &window, [&] { startedUp = true; });
    QObject::connect(&window, &MainWindow::closed, &window, [&] { closed = true; });
    // A box the take brings up counts down in a second instead of ten.
    window.MKBoxDlg1().setTimerCount(1);
    window.MKBoxDlg1().setErTimerCount(1);
    window.show();
    if (!waitUntil([&] { return startedUp; }, 15000)) return fail(QStringLiteral("the start-up did not finish"));
    if (!armRecording(window)) return false;
    // Queued behind the window's own handling of the line.
    QObject::connect(&recorder_->forwarding, &LineForwardServer::lineReceived, &window,
                     [this, &window] { afterHandOver(window); }, Qt::QueuedConnection);

    QProcess second;
    second.setProcessChannelMode(QProcess::MergedChannels);
    if (handedOver) handedOver();
    if (!arguments.isEmpty()) second.start(recorderBinary_, arguments);
    const QString log = window.recordingLog().filePath();
    const auto logShown = [&] {
        return std::any_of(recorder_->desktop.opened.cbegin(), recorder_->desktop.opened.cend(),
                           [&](const QUrl& url) { return url.toLocalFile() == log; });
    };
    if (!waitUntil([&] { return closed || logShown(); }, timeoutMs)) {
        second.waitForFinished(1000);
        return fail(QStringLiteral("the window is still open after %1 ms and showed no log; the second start "
                                   "said: \"%2\"; boxes: %3; files saved: %4")
                        .arg(timeoutMs)
                        .arg(QString::fromLocal8Bit(second.readAll()).trimmed(),
                             recorder_->boxes.texts.join(QStringLiteral(" | ")), savedFiles().join(u' ')));
    }
    closedItself_ = closed;
    if (!closed && !(window.requestClose(), waitUntil([&] { return closed; }, 15000)))
        return fail(QStringLiteral("the window does not close"));
    if (!arguments.isEmpty() &&
        ((second.state() != QProcess::NotRunning && !second.waitForFinished(5000)) ||
         second.exitStatus() != QProcess::NormalExit || second.exitCode() != 0))
        return fail(QStringLiteral("the second start did not end well: ") + QString::fromLocal8Bit(second.readAll()));
    return true;
}

QStringList RecorderRig::boxTexts() const { return recorder_ ? recorder_->boxes.texts : QStringList(); }

QStringList RecorderRig::savedFiles() const {
    QStringList paths;
    const QDir folder(recordingFolder());
    for (const QString& name : folder.entryList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name))
        paths.append(folder.filePath(name));
    return paths;
}

QStringList RecorderRig::logLines() const {
    FakeDesktop nowhere;
    QFile file(RecordingLog(Identity::forThisUser().ProgramFolder, nowhere).filePath());
    if (!file.open(QIODevice::ReadOnly)) return {};
    // The entries lie between the two separator lines.
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    const QString separator(40, u'-');
    const qsizetype first = lines.indexOf(separator);
    const qsizetype last = lines.indexOf(separator, first + 1);
    return first < 0 || last < 0 ? QStringList() : lines.mid(first + 1, last - first - 1);
}

}  // namespace sondex::test
