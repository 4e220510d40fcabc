// Starts the real program, several times over, in a home of its own.
#include "platform/IniSettingsStore.h"
#include "platform/InstanceLock.h"
#include "support/FileBytes.h"
#include "support/PrivateHome.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/TonePlayer.h"
#include "support/pulse/WavFacts.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

#include <csignal>

namespace sondex {
namespace {

class EntryProcessTest : public ::testing::Test {
protected:
    ~EntryProcessTest() override {
        for (auto& process : processes) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    QString runtimeFile(const char* name) const { return home.runtimeDir() + u'/' + QString::fromLatin1(name); }
    QString recorderLock() const { return runtimeFile("SONDEX.recorder.lock"); }
    QString setupLock() const { return runtimeFile("SONDEX.setup.lock"); }

    void writeSettings(const QByteArray& bytes) const { ASSERT_TRUE(test::writeBytes(home.settingsFile(), bytes)); }
    QByteArray settingsBytes() const { return test::readBytes(home.settingsFile()); }

    QProcess* start(const QStringList& arguments, const QString& program = QStringLiteral(SONDEX_BINARY),
                    const QString& soundServer = QString()) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = home.environment();
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("sondex.*=true"));
        if (!soundServer.isEmpty()) env.insert(QStringLiteral("PULSE_SERVER"), soundServer);
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(program, arguments);
        processes.push_back(std::move(process));
        return processes.back().get();
    }

    static bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 15000) {
        const QDeadlineTimer deadline(timeoutMs);
        while (!condition()) {
            if (deadline.hasExpired()) return false;
            QThread::msleep(20);
        }
        return true;
    }

    // Everything the process has printed so far.
    QByteArray output(QProcess* process) {
        process->waitForReadyRead(20);
        collected[process] += process->readAll();
        return collected[process];
    }

    bool waitForOutput(QProcess* process, const QByteArray& text, int timeoutMs = 15000) {
        const QDeadlineTimer deadline(timeoutMs);
        while (!output(process).contains(text)) {
            if (deadline.hasExpired()) return false;
        }
        return true;
    }

    bool recorderRuns() const { return InstanceLock::isHeldElsewhere(recorderLock()); }
    bool setupRuns() const { return InstanceLock::isHeldElsewhere(setupLock()); }

    static int exitCodeOf(QProcess* process) {
        if (process->state() != QProcess::NotRunning && !process->waitForFinished(15000)) return -1;
        return process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    }

    test::PrivateHome home;
    std::vector<std::unique_ptr<QProcess>> processes;
    QProcess* recorder = nullptr;
    std::map<QProcess*, QByteArray> collected;
};

TEST_F(EntryProcessTest, AFreshUserMeetsTheSetupWindowAndASecondStartEndsQuietly) {
    QProcess* setup = start({});
    ASSERT_TRUE(waitUntil([this] { return setupRuns(); }));
    EXPECT_FALSE(recorderRuns());
    QProcess* second = start({});
    EXPECT_EQ(exitCodeOf(second), 0);
    EXPECT_FALSE(setup->waitForFinished(100));
    EXPECT_FALSE(recorderRuns());
}

TEST_F(EntryProcessTest, OtherVersionsAndDamagedFilesOpenTheSetupWindow) {
    for (const QByteArray& bytes : {QByteArray("[SONDEX]\nVersion=21\n"), QByteArray("[SONDEX]\nVersion=255\n"),
                                    QByteArray("[SONDEX]\nVersion=2x\n"), QByteArray("\x7f\x45\x4c\x46\x02\x01"),
                                    QByteArray("[SONDEX]\nVers")}) {
        writeSettings(bytes);
        QProcess* setup = start({});
        EXPECT_TRUE(waitUntil([this] { return setupRuns(); })) << bytes.constData();
        EXPECT_FALSE(recorderRuns());
        setup->kill();
        setup->waitForFinished(5000);
    }
}

TEST_F(EntryProcessTest, TheUninstallersNameOpensTheSetupWindowNotTheRecorder) {
    writeSettings("[SONDEX]\nVersion=22\n");
    const QString copy = home.root() + QStringLiteral("/bin/UNIN_Tavik000");
    QDir().mkpath(QFileInfo(copy).absolutePath());
    ASSERT_TRUE(QFile::link(QStringLiteral(SONDEX_BINARY), copy));
    start({}, copy);
    EXPECT_TRUE(waitUntil([this] { return setupRuns(); }));
    EXPECT_FALSE(recorderRuns());
}

// The one that loses the race hands its arguments, joined, to the other.
TEST_F(EntryProcessTest, StartsAtTheSameMomentGiveOneRecorderAndOneForwardedLine) {
    writeSettings("[SONDEX]\nVersion=22\n");
    const QStringList arguments = {QStringLiteral("/RS"), QStringLiteral("/home/a b/x.mid")};
    QProcess* a = start(arguments);
    QProcess* b = start(arguments);
    ASSERT_TRUE(waitUntil([&] { return a->waitForFinished(10) || b->waitForFinished(10); }));
    QProcess* forwarder = a->state() == QProcess::NotRunning ? a : b;
    QProcess* running = forwarder == a ? b : a;
    EXPECT_EQ(exitCodeOf(forwarder), 0);
    EXPECT_TRUE(waitForOutput(running, "forwarded line: /RS?/home/a b/x.mid\n"));
    EXPECT_FALSE(running->waitForFinished(100));
    QThread::msleep(300);
    EXPECT_EQ(output(running).count("forwarded line:"), 1);
}

TEST_F(EntryProcessTest, TheCloseChangesOnlyItsOwnValuesInATenMegabyteFile) {
    const QByteArray folder = QFile::encodeName(home.root());
    const QByteArray kept = "\x01\x02garbage\r\nFromTheFuture=x=y\r\n\x83\x65=sjis name\r\nEXEPATH=/caf\xe9\r\n"
                            "Group=\x83\x65\x83\x58\x83\x67\r\nSetNowTime_Select=0\r\nREC_MAX=0\r\n";
    QByteArray other = "[OTHER]\r\nSHUDO=77\r\n";
    while (other.size() < 10 * 1024 * 1024) other += "; " + QByteArray(96, 'x') + "\r\n";
    writeSettings("[SONDEX]\r\nVersion=22\r\nNR_WAIT=lots\r\nINTORO=9000\r\nTEMPALL=" + folder + "\r\n" + kept +
                  "INTORO=second\r\n" + other);
    recorder = start({});
    ASSERT_TRUE(waitForOutput(recorder, "start-up finished"));
    recorder->terminate();  // SIGTERM closes the window in order
    EXPECT_EQ(exitCodeOf(recorder), 0);

    const QByteArray after = settingsBytes();
    const QByteArray head = "[SONDEX]\r\nVersion=22\r\nNR_WAIT=10\r\nINTORO=5999\r\nTEMPALL=" + folder + "/\r\n" + kept +
                            "INTORO=second\r\n";
    ASSERT_TRUE(after.startsWith(head)) << after.left(300).constData();
    ASSERT_TRUE(after.endsWith(other));
    // Between them only the values the recorder owns, appended.
    const QByteArray added = after.mid(head.size(), after.size() - head.size() - other.size());
    EXPECT_TRUE(added.contains("\r\nSHUDO=0\r\n")) << added.constData();
    for (const QByteArray& line : added.split('\n')) {
        if (!line.isEmpty()) {
            EXPECT_GT(line.indexOf('='), 0) << line.constData();
        }
    }
}

// A settings file that is there but cannot be read is no new user's: the
// recorder runs on the defaults, says so, and leaves the file as it is.
TEST_F(EntryProcessTest, AnUnreadableSettingsFileStartsTheRecorderOnTheDefaultsNotSetup) {
    const QByteArray values = "[SONDEX]\nVersion=22\nTEMPALL=" + QFile::encodeName(home.root()) + "\nREC_TXT=1\n";
    writeSettings(values);
    ASSERT_TRUE(QFile::resize(home.settingsFile(), IniSettingsStore::kMaxFileSize + 1));
    recorder = start({});
    EXPECT_TRUE(waitForOutput(recorder, "settings file unreadable: " + QFile::encodeName(home.settingsFile())));
    EXPECT_TRUE(recorderRuns());
    EXPECT_FALSE(setupRuns());
    // The window comes once the timed box has closed; the defaults then ask
    // for a recording folder, so the run is ended by the fixture.
    ASSERT_TRUE(waitForOutput(recorder, "window shown", 20000));
    EXPECT_EQ(QFileInfo(home.settingsFile()).size(), IniSettingsStore::kMaxFileSize + 1);
    EXPECT_TRUE(settingsBytes().startsWith(values));
}

TEST_F(EntryProcessTest, AnUnattendedCommandLineRecordsSavesLogsAndCloses) {
    test::PrivatePulseServer server;
    ASSERT_TRUE(server.start()) << server.failure().toStdString();
    test::TonePlayer tone(server, 1000, 0.5, 30);
    ASSERT_TRUE(tone.start());
    const QString folder = home.root() + QStringLiteral("/rec");
    QDir().mkpath(folder);
    writeSettings("[SONDEX]\nVersion=22\nTEMPALL=" + QFile::encodeName(folder) + "\n");

    QProcess* process = start({QStringLiteral("/RS"), QStringLiteral("/J2"), QStringLiteral("/E"), QStringLiteral("/C")},
                              QStringLiteral(SONDEX_BINARY), server.address());
    ASSERT_TRUE(process->waitForFinished(30000)) << process->readAll().constData();
    EXPECT_EQ(process->exitCode(), 0);

    const test::WavFacts facts = test::readWavFacts(folder + QStringLiteral("/wav0000.wav"));
    ASSERT_TRUE(facts.readable);
    EXPECT_NEAR(facts.seconds(), 2.0, 1.1);  // the timer acts on whole seconds at its tick
    const QByteArray settings = settingsBytes();
    EXPECT_TRUE(settings.contains("\nREC_TXT=1\n"));  // the log opens at the next start
    QFile log(home.dataHome() + QStringLiteral("/TAVIK SOFT32/SONDEX/録音$$$$.TXT"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("1個 録音しました。")));
    EXPECT_TRUE(text.contains(QStringLiteral("44S16")));
}

TEST_F(EntryProcessTest, ATerminationSignalDuringTheFirstRunQuestionEndsTheProcessAndWritesNothing) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        writeSettings("[SONDEX]\r\nVersion=22\r\n");
        QProcess* first = start({});
        ASSERT_TRUE(waitForOutput(first, "first run")) << signal;
        QThread::msleep(200);  // the question is on screen
        ::kill(static_cast<pid_t>(first->processId()), signal);
        EXPECT_TRUE(first->waitForFinished(10000)) << "still running after signal " << signal;
        EXPECT_EQ(settingsBytes(), QByteArray("[SONDEX]\r\nVersion=22\r\n")) << signal;
        EXPECT_FALSE(recorderRuns());
    }
}

}  // namespace
}  // namespace sondex
