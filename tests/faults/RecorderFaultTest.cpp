// The real program, in a home of its own with a sound server of its own,
// meets the faults of a working day: killed or stopped mid-take, its sound
// server gone and back, its material removed while it plays, its list files
// damaged. Whatever happens, no take is lost.
#include "platform/mci/TmpfsMount.h"
#include "platform/ListFile.h"
#include "platform/mci/Leftovers.h"
#include "support/FileBytes.h"
#include "support/PrivateHome.h"
#include "support/RecorderRig.h"
#include "support/pulse/PatternPlayer.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/SoundFiles.h"
#include "support/pulse/TonePlayer.h"
#include "support/pulse/WavFacts.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>

namespace sondex {
namespace {

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QThread::msleep(20);
    }
    return true;
}

class RecorderFaultTest : public ::testing::Test {
protected:
    ~RecorderFaultTest() override {
        for (auto& process : processes) {
            process->kill();
            process->waitForFinished(5000);
        }
    }

    QString recordingFolder() const { return home.root() + QStringLiteral("/rec"); }
    QString programFolder() const { return home.dataHome() + QStringLiteral("/TAVIK SOFT32/SONDEX/"); }
    QString configFolder() const { return home.configHome() + QStringLiteral("/TAVIK SOFT32/"); }

    // An installed user whose recorder starts without questions.
    void install() {
        QDir().mkpath(recordingFolder());
        QDir().mkpath(programFolder());
        ASSERT_TRUE(test::writeBytes(home.settingsFile(), "[SONDEX]\r\nVersion=22\r\nTEMPALL=" +
                                                              QFile::encodeName(recordingFolder()) +
                                                              "\r\nSetNowTime_Select=0\r\nREC_MAX=0\r\n"));
    }

    // The sound server, an installed user and a take running for ms: the real
    // recorder started with "/RS", or `program` with `arguments`. take counts
    // from the moment its temporary file appeared. nullptr when no take began.
    QProcess* startTake(int ms, const QString& program = QStringLiteral(SONDEX_BINARY),
                        const QStringList& arguments = {QStringLiteral("/RS")}) {
        if (!server.start()) {
            ADD_FAILURE() << server.failure().toStdString();
            return nullptr;
        }
        install();
        QProcess* recorder = start(program, arguments);
        if (waitForTake(30000).isEmpty()) {
            ADD_FAILURE() << "no take began: " << recorder->readAll().constData();
            return nullptr;
        }
        take.start();
        QThread::msleep(ms);
        return recorder;
    }
    double takeSeconds() const { return double(take.elapsed()) / 1000; }

    QProcess* start(const QString& program, const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = home.environment();
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("sondex.*=true"));
        if (server.isRunning()) env.insert(QStringLiteral("PULSE_SERVER"), server.address());
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::MergedChannels);
        if (childSetup) process->setChildProcessModifier(childSetup);
        process->start(program, arguments);
        processes.push_back(std::move(process));
        return processes.back().get();
    }

    bool waitForOutput(QProcess* process, const QByteArray& text, int timeoutMs = 20000) {
        const QDeadlineTimer deadline(timeoutMs);
        while (!(output[process] += process->readAll()).contains(text)) {
            if (deadline.hasExpired() || process->state() == QProcess::NotRunning) return false;
            process->waitForReadyRead(50);
        }
        return true;
    }

    // The take's temporary file in the device's temporary folder, once it is there.
    QString waitForTake(int timeoutMs) const {
        QString path;
        waitUntil(
            [&] {
                const QList<mci::LeftoverFile> found = mci::findLeftovers(home.tempDir());
                if (!found.isEmpty()) path = found.first().path;
                return !path.isEmpty();
            },
            timeoutMs);
        return path;
    }

    // The length of the one take left behind, once recovered; -1 when there is none.
    double recoveredSeconds() const {
        const QList<mci::Recoverable> found = mci::findRecoverable(home.tempDir());
        if (found.size() != 1) return -1;
        const QString target = home.root() + QStringLiteral("/recovered.wav");
        if (mci::recoverLeftover(found.first(), target) != mci::Error::None) return -1;
        const test::WavFacts facts = test::readWavFacts(target);
        return facts.readable ? facts.seconds() : -1;
    }

    double savedSeconds(const QString& name = QStringLiteral("wav0000.wav")) const {
        const test::WavFacts facts = test::readWavFacts(recordingFolder() + u'/' + name);
        return facts.readable ? facts.seconds() : -1;
    }

    static int exitCodeOf(QProcess* process, int timeoutMs = 30000) {
        if (process->state() != QProcess::NotRunning && !process->waitForFinished(timeoutMs)) return -1;
        return process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    }

    test::PrivateHome home;
    test::PrivatePulseServer server;
    std::vector<std::unique_ptr<QProcess>> processes;
    std::map<QProcess*, QByteArray> output;
    QElapsedTimer take;
    std::function<void()> childSetup;  // runs in each started program before it starts
};

// kill -9 at a random moment two to four seconds into a manual, a CD and a
// music take: the next start finds the leftover, and it holds the take to
// within a second of the moment of the kill.
class KilledTakeTest : public RecorderFaultTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(KilledTakeTest, IsRecoveredToWithinASecond) {
    const bool manual = QByteArrayView(GetParam()) == "manual";
    const int killAtMs = 2000 + int(QRandomGenerator::global()->bounded(2000));
    QProcess* recorder = manual ? startTake(killAtMs)
                                : startTake(killAtMs, QStringLiteral(FAULT_TAKE_HELPER), {QString::fromLatin1(GetParam())});
    ASSERT_NE(recorder, nullptr);
    ::kill(pid_t(recorder->processId()), SIGKILL);
    const double seconds = takeSeconds();
    ASSERT_TRUE(recorder->waitForFinished(5000));
    const double recovered = recoveredSeconds();
    std::printf("ran %.2f s, recovered %.2f s\n", seconds, recovered);
    EXPECT_GT(recovered, seconds - 1.0);
    EXPECT_LT(recovered, seconds + 0.5);
}

INSTANTIATE_TEST_SUITE_P(Faults, KilledTakeTest, ::testing::Values("manual", "cd", "music"));

// SIGTERM closes the window in order; a second one while the close saves the
// take must not cost it: it is saved, or left behind to be recovered.
TEST_F(RecorderFaultTest, TerminationSignalsDuringTheClosesSaveKeepTheTake) {
    QProcess* recorder = startTake(2500);
    ASSERT_NE(recorder, nullptr);
    for (int i = 0; i < 5; ++i) {
        ::kill(pid_t(recorder->processId()), SIGTERM);
        QThread::msleep(30);
    }
    const double seconds = takeSeconds();
    EXPECT_EQ(exitCodeOf(recorder), 0) << output[recorder].constData() << recorder->readAll().constData();
    const double saved = std::max(savedSeconds(), recoveredSeconds());
    std::printf("ran %.2f s, kept %.2f s\n", seconds, saved);
    EXPECT_GT(saved, seconds - 1.1);
}

// The sound server dies and comes back mid-take: the take so far is saved,
// and the recorder runs on.
TEST_F(RecorderFaultTest, ASoundServerKilledAndRestartedMidTakeKeepsTheTakeSoFar) {
    QProcess* recorder = startTake(2500);
    ASSERT_NE(recorder, nullptr);
    server.kill();
    const double seconds = takeSeconds();
    ASSERT_TRUE(server.start()) << server.failure().toStdString();
    // The box that says why the take stopped counts down its ten seconds first.
    EXPECT_TRUE(waitUntil([&] { return savedSeconds() > 0; }, 30000)) << output[recorder].constData();
    std::printf("ran %.2f s, saved %.2f s\n", seconds, savedSeconds());
    EXPECT_GT(savedSeconds(), seconds - 1.1);
    EXPECT_FALSE(recorder->waitForFinished(200)) << "the recorder ended";
    recorder->terminate();
    EXPECT_EQ(exitCodeOf(recorder), 0);
}

// A file-size limit (ulimit -f) reached mid-take is a full disk to the
// recorder, not the end of the process: the take up to the limit is saved.
TEST_F(RecorderFaultTest, AFileSizeLimitReachedMidTakeEndsTheTakeAndKeepsIt) {
    constexpr rlim_t kLimit = 400000;
    childSetup = [] {
        const rlimit limit{kLimit, kLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
    QProcess* recorder = startTake(0);
    ASSERT_NE(recorder, nullptr);
    // The box that says why the take stopped counts down its ten seconds first.
    EXPECT_TRUE(waitUntil([&] { return savedSeconds() > 0; }, 30000)) << output[recorder].constData();
    EXPECT_GT(savedSeconds(), 2.0);
    EXPECT_LE(savedSeconds() * 176400 + 44, double(kLimit));
    EXPECT_FALSE(recorder->waitForFinished(200)) << "the recorder ended";
    recorder->terminate();
    EXPECT_EQ(exitCodeOf(recorder), 0);
}

// The recording folder full, read-only or gone when the close saves the
// take: it goes to the rescue folder (or the temporary folder) instead.
class RecordingFolderFaultTest : public RecorderFaultTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RecordingFolderFaultTest, TheClosesSaveKeepsTheTakeElsewhere) {
    QProcess* recorder = startTake(2500);
    ASSERT_NE(recorder, nullptr);
    std::unique_ptr<mci::test::TmpfsMount> mount;
    const QByteArrayView fault(GetParam());
    if (fault == "removed") {
        ASSERT_TRUE(QDir(recordingFolder()).removeRecursively());
    } else {
        mount = std::make_unique<mci::test::TmpfsMount>(recordingFolder(), 64 * 1024,
                                                        fault == "readonly");
        if (!mount->isMounted()) GTEST_SKIP() << "cannot mount tmpfs: " << mount->failure().toStdString();
    }
    recorder->terminate();
    const double seconds = takeSeconds();
    // The failure's box counts down its ten seconds before the close goes on.
    EXPECT_EQ(exitCodeOf(recorder), 0) << output[recorder].constData() << recorder->readAll().constData();
    double kept = -1;
    QString where;
    for (const QString& folder : QStringList{recordingFolder(), programFolder() + QStringLiteral("rescue"), home.tempDir()}) {
        const test::WavFacts facts = test::readWavFacts(folder + QStringLiteral("/wav0000.wav"));
        if (facts.readable) kept = facts.seconds(), where = folder;
    }
    std::printf("ran %.2f s, kept %.2f s in %s\n", seconds, kept, qPrintable(where));
    EXPECT_GT(kept, seconds - 1.1);
    EXPECT_TRUE(mci::findRecoverable(home.tempDir()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Faults, RecordingFolderFaultTest,
                         ::testing::Values("full", "readonly", "removed"));

// Every list file damaged or unreadable at the start: the recorder starts and
// closes. The close may drop the lines that are no entry (a damaged list
// costs its damaged lines), but never writes anything else, and leaves a file
// it could not read at all as it was.
TEST_F(RecorderFaultTest, DamagedAndUnreadableListFilesAtTheStartCostNoContent) {
    install();
    // The older single timer list is not among them: beside a day file it is
    // an older version's copy, and the start-up removes it.
    const QStringList lists = {programFolder() + QStringLiteral("SONDEXM0.LIS"),
                               programFolder() + QStringLiteral("SONDEXMI.LIS"),
                               programFolder() + QStringLiteral("SONDEXF0.LIS"),
                               programFolder() + QStringLiteral("SONDEXW0.LIS"),
                               programFolder() + QStringLiteral("DAY000.day"),
                               configFolder() + QStringLiteral("CDDRIVES.INI"),
                               configFolder() + QStringLiteral("CDPLAYER.INI")};
    QByteArray noise(64 * 1024, '\0');
    QRandomGenerator random(19);
    for (char& byte : noise) byte = char(random.bounded(256));
    const QByteArray entries = " E:1\r\n/music/a.mid\r\n08:00-08:01 C 44S16\r\n";
    enum Kind { Damaged, Folder, Oversized };
    struct Damage {
        const char* name;
        Kind kind;
        QByteArray bytes;
    };
    for (const Damage& damage : {Damage{"noise", Damaged, noise}, Damage{"cut", Damaged, entries.chopped(3)},
                                 Damage{"huge line", Damaged, QByteArray(3 << 20, 'E') + "\r\n" + entries},
                                 Damage{"folder", Folder, {}}, Damage{"oversized", Oversized, entries}}) {
        SCOPED_TRACE(damage.name);
        for (const QString& list : lists) {
            QDir(list).removeRecursively();
            QFile::remove(list);
            QDir().mkpath(QFileInfo(list).path());
            if (damage.kind == Folder) {
                ASSERT_TRUE(QDir().mkpath(list + QStringLiteral("/x")));
            } else {
                ASSERT_TRUE(test::writeBytes(list, damage.bytes));
                // Sparse: a list file larger than any list is not read.
                if (damage.kind == Oversized) {
                    ASSERT_TRUE(QFile::resize(list, (qint64(64) << 20) + 1));
                }
            }
        }
        QProcess* recorder = start(QStringLiteral(SONDEX_BINARY), {});
        ASSERT_TRUE(waitForOutput(recorder, "start-up finished")) << output[recorder].constData();
        recorder->terminate();
        EXPECT_EQ(exitCodeOf(recorder), 0) << output[recorder].constData();
        for (const QString& list : lists) {
            if (damage.kind == Folder) {
                EXPECT_TRUE(QFileInfo(list).isDir()) << list.toStdString();
            } else if (damage.kind == Oversized) {
                EXPECT_EQ(QFileInfo(list).size(), (qint64(64) << 20) + 1) << list.toStdString();
                EXPECT_TRUE(test::readBytes(list).startsWith(entries)) << list.toStdString();
            } else {
                // As text: a list that is no UTF-8 is read as Shift-JIS and written in UTF-8.
                const QString copy = home.root() + QStringLiteral("/before");
                ASSERT_TRUE(test::writeBytes(copy, damage.bytes));
                const QStringList before = listfile::read(copy);
                for (const QString& line : listfile::read(list))
                    EXPECT_TRUE(before.contains(line)) << list.toStdString() << ": " << line.left(40).toStdString();
            }
        }
        processes.clear();
    }
}

// A music file removed while it plays: its take so far is saved and logged,
// the list moves on, and the program closes as asked.
TEST(MaterialFaultTest, AMusicFileRemovedWhileItPlaysKeepsItsTakeSoFar) {
    const QString folder = QDir::tempPath();
    const QString first = folder + QStringLiteral("/first.wav");
    const QString second = folder + QStringLiteral("/second.wav");
    ASSERT_TRUE(test::writeSoundFile(first, 44100, 2, test::makePattern(44100 * 5, 1)));
    ASSERT_TRUE(test::writeSoundFile(second, 44100, 2, test::makePattern(44100 * 2, 2)));
    test::MusicTakeRig rig(QStringLiteral(SONDEX_BINARY));
    ASSERT_TRUE(rig.prepare()) << rig.failure().toStdString();
    ASSERT_TRUE(rig.run({first, second, QStringLiteral("/C")}, 60000,
                        [&] { QTimer::singleShot(2500, [&] { QFile::remove(first); }); }))
        << rig.failure().toStdString();
    EXPECT_TRUE(rig.closedItself());
    const QStringList takes = rig.savedFiles();
    ASSERT_EQ(takes.size(), 2);
    EXPECT_GT(test::readWavFacts(takes.first()).seconds(), 1.5);
    EXPECT_EQ(rig.logLines().size(), 2);
    EXPECT_EQ(rig.boxTexts(), QStringList(QStringLiteral("再生エラー：\n 再生が途中で止まりました。\n"
                                                         "（サウンドサーバーが止まったか、ファイルやＣＤが読めなくなりました）")));
}

}  // namespace
}  // namespace sondex
