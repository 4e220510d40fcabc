// The soak: the whole recorder running the time-of-day timer with one-minute
// entries back to back ("E": stop and save), on a sound server whose sink
// suspends when idle, for N minutes of real time. Every minute it prints the
// recorder's resident memory, open descriptors and CPU time; every take is
// checked for its length as soon as the recorder has logged it, then deleted,
// so the disk use stays flat however long the run. See docs/soak.md.
//
//   sondex-soak [--minutes N]      (default 60; 1440 covers every minute of the day)
#include "BenchRun.h"
#include "ProcessFigures.h"
#include "support/PrivateHome.h"
#include "support/pulse/PrivatePulseServer.h"
#include "support/pulse/WavFacts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace sondex;

// SONDEX_BINARY in the environment measures another build of the recorder.
static QString recorderBinary() { return qEnvironmentVariable("SONDEX_BINARY", QStringLiteral(SONDEX_BINARY)); }

namespace {

constexpr int kMinutesOfDay = 24 * 60;
constexpr int kWarmUpMinutes = 2;     // left out of the memory slope
constexpr int kJudgedMinutes = 30;    // shorter runs give no slope worth judging
constexpr double kMemoryLimitKiBPerHour = 1024;
// A take runs from the timer's start in its first second to the stop that the
// one-second check of the forced end makes, after the save of the take before.
constexpr double kTakeSeconds = 60;
constexpr double kShortBy = 2.5;
constexpr double kLongBy = 1.5;

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// One-minute entries back to back from `first`, a whole minute; a day's worth
// at most, which the timer then repeats every day.
QByteArray dayList(const QDateTime& first, int minutes) {
    QStringList lines;
    for (int i = 0; i < std::min(minutes, kMinutesOfDay); ++i) {
        const QTime start = first.time().addSecs(60 * i);
        lines << start.toString(u"hh:mm") + u'-' + start.addSecs(60).toString(u"hh:mm") + u" E 44S16";
    }
    lines.sort();
    return lines.join(u"\r\n").toLatin1() + "\r\n";
}

// The settings of a user who left the timer running; No_Memo keeps the log's
// editor from opening after every take.
bool prepareHome(const test::PrivateHome& home, const QString& recordingFolder, const QString& programFolder,
                 const QByteArray& list) {
    if (!QDir().mkpath(recordingFolder) || !QDir().mkpath(programFolder) ||
        !QDir().mkpath(home.configHome() + QStringLiteral("/TAVIK SOFT32")))
        return false;
    return writeFile(home.settingsFile(), "[SONDEX]\nVersion=22\nSetNowTime_Select=0\nREC_MAX=0\nNo_Memo=1\nJK=" +
                                              QStringLiteral("実行中").toUtf8() + "\nTM_Mode=0\nTDAY_S=DAY000\nTEMPALL=" +
                                              QFile::encodeName(recordingFolder) + "\n") &&
           writeFile(programFolder + QStringLiteral("DAY000.day"), list);
}

int openDescriptorsOf(qint64 pid) {
    DIR* dir = ::opendir(QByteArray("/proc/" + QByteArray::number(pid) + "/fd").constData());
    if (!dir) return -1;
    int count = 0;
    while (const dirent* entry = ::readdir(dir))
        if (entry->d_name[0] != '.') ++count;
    ::closedir(dir);
    return count;
}

// The number of takes the recorder's log file counts on its second line
// ("N個 録音しました。"); 0 before the first take or while it is rewritten.
int loggedTakes(const QString& logFile) {
    QFile file(logFile);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    file.readLine();
    const QByteArray line = file.readLine();
    qsizetype digits = 0;
    while (digits < line.size() && std::isdigit(static_cast<unsigned char>(line[digits]))) ++digits;
    return line.left(digits).toInt();
}

// Least-squares slope of y over x.
double slope(const std::vector<double>& x, const std::vector<double>& y) {
    const double n = double(x.size());
    if (n < 2) return 0;
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        sx += x[i];
        sy += y[i];
        sxx += x[i] * x[i];
        sxy += x[i] * y[i];
    }
    const double d = n * sxx - sx * sx;
    return d == 0 ? 0 : (n * sxy - sx * sy) / d;
}

struct Takes {
    int logged = 0;
    int present = 0;
    int wrongLength = 0;
    double shortest = 0;
    double longest = 0;
    double last = 0;
};

class Soak {
public:
    Soak(QProcess& recorder, QString recordingFolder, QString logFile, QDateTime firstStart)
        : recorder_(recorder),
          recordingFolder_(std::move(recordingFolder)),
          logFile_(std::move(logFile)),
          firstStart_(std::move(firstStart)) {}

    const Takes& takes() const { return takes_; }
    bool running() const { return recorder_.state() == QProcess::Running; }
    QByteArray output() const { return output_; }

    // Keeps the recorder's output flowing and its takes checked until `until`.
    void waitUntil(const QDateTime& until) {
        while (running()) {
            collectTakes();
            const qint64 left = QDateTime::currentDateTime().msecsTo(until);
            if (left <= 0) return;
            drain(int(std::min<qint64>(left, 250)));
        }
    }

    void drain(int ms) {
        recorder_.waitForReadyRead(ms);
        output_ += recorder_.readAll();
        output_ = output_.right(8000);
    }

private:
    // Every take the log has counted since the last look is checked and deleted.
    void collectTakes() {
        const int logged = loggedTakes(logFile_);
        if (logged <= takes_.logged) return;
        takes_.logged = logged;
        // With a whole day of entries the start-up lands inside one: that take
        // runs only up to the first minute and is not one of the soak's.
        const bool leadIn = QDateTime::currentDateTime() < firstStart_.addSecs(30);
        const QFileInfoList files =
            QDir(recordingFolder_).entryInfoList({QStringLiteral("wav*.wav")}, QDir::Files, QDir::Name);
        for (const QFileInfo& file : files) {
            const test::WavFacts facts = test::readWavFacts(file.absoluteFilePath());
            QFile::remove(file.absoluteFilePath());
            if (leadIn) continue;
            const double seconds = facts.seconds();
            ++takes_.present;
            const bool right = facts.readable && seconds >= kTakeSeconds - kShortBy && seconds <= kTakeSeconds + kLongBy;
            if (!right) {
                ++takes_.wrongLength;
                std::printf("take %d: %.3f s, outside %.1f..%.1f s\n", takes_.present, seconds, kTakeSeconds - kShortBy,
                            kTakeSeconds + kLongBy);
            }
            takes_.shortest = takes_.present == 1 ? seconds : std::min(takes_.shortest, seconds);
            takes_.longest = std::max(takes_.longest, seconds);
            takes_.last = seconds;
        }
    }

    QProcess& recorder_;
    QString recordingFolder_;
    QString logFile_;
    QDateTime firstStart_;
    Takes takes_;
    QByteArray output_;
};

int minutesArgument(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--minutes") == 0) return std::max(1, std::atoi(argv[i + 1]));
    return 60;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int minutes = minutesArgument(argc, argv);
    const test::PrivateHome home;
    test::PrivatePulseServer server;
    if (!server.start(true, 44100)) {
        std::fprintf(stderr, "no sound server: %s\n", qPrintable(server.failure()));
        return 1;
    }
    const QString recordingFolder = home.root() + QStringLiteral("/rec/");
    const QString programFolder = home.dataHome() + QStringLiteral("/TAVIK SOFT32/SONDEX/");
    // The first whole minute that leaves the start-up about 20 s and more.
    QDateTime firstStart = QDateTime::currentDateTime().addSecs(35);
    firstStart.setTime(QTime(firstStart.time().hour(), firstStart.time().minute()));
    firstStart = firstStart.addSecs(60);
    if (!prepareHome(home, recordingFolder, programFolder, dayList(firstStart, minutes))) {
        std::fprintf(stderr, "cannot write the settings or the day list\n");
        return 1;
    }
    QProcessEnvironment env = home.environment();
    env.insert(QStringLiteral("PULSE_SERVER"), server.address());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("sondex.startup=true\nsondex.notice=true"));
    env.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{time hh:mm:ss.zzz} %{message}"));
    QProcess recorder;
    recorder.setProcessEnvironment(env);
    recorder.setProcessChannelMode(QProcess::MergedChannels);
    recorder.start(recorderBinary(), {});
    if (!recorder.waitForStarted()) return 1;
    Soak soak(recorder, recordingFolder, programFolder + QStringLiteral("録音$$$$.TXT"), firstStart);
    const QDateTime launched = QDateTime::currentDateTime();
    while (!soak.output().contains("start-up finished") && soak.running() &&
           launched.msecsTo(QDateTime::currentDateTime()) < 30000)
        soak.drain(50);
    if (!soak.output().contains("start-up finished")) {
        std::fprintf(stderr, "the recorder never finished its start-up\n%s\n", soak.output().constData());
        return 1;
    }
    const qint64 pid = recorder.processId();
    std::printf("soak of %d minutes: start-up took %.1f s; takes from %s, one a minute, 60 s each "
                "(%.1f s shorter or %.1f s longer allowed)\n",
                minutes, launched.msecsTo(QDateTime::currentDateTime()) / 1000.0,
                qPrintable(firstStart.toString(u"hh:mm:ss")), kShortBy, kLongBy);
    std::printf("minute  takes  last-take-s  recorder-rss-KiB  fds  recorder-cpu-ms\n");

    // Each minute's figures are read in the middle of its take, away from the saves.
    std::vector<double> hours, residentKiB;
    int firstFds = -1, lastFds = -1;
    bool died = false;
    for (int minute = 1; minute <= minutes; ++minute) {
        soak.waitUntil(firstStart.addSecs(60LL * (minute - 1) + 30));
        if (!soak.running()) {
            died = true;
            break;
        }
        const qint64 rss = bench::residentKiBOf(pid);
        lastFds = openDescriptorsOf(pid);
        if (firstFds < 0) firstFds = lastFds;
        std::printf("%6d  %5d  %11.3f  %16lld  %3d  %15.1f\n", minute, soak.takes().present, soak.takes().last,
                    static_cast<long long>(rss),
                    lastFds, double(bench::processCpuNanosecondsOf(pid)) / 1e6);
        if (minute > kWarmUpMinutes) {
            hours.push_back(minute / 60.0);
            residentKiB.push_back(double(rss));
        }
    }
    // The last take is logged a moment after its minute ends.
    const QDateTime lastEnd = firstStart.addSecs(60LL * minutes);
    while (!died && soak.takes().present < minutes && QDateTime::currentDateTime() < lastEnd.addSecs(30))
        soak.waitUntil(std::min(lastEnd.addSecs(30), QDateTime::currentDateTime().addMSecs(250)));
    died = died || !soak.running();

    bool closed = false;
    if (!died) {
        recorder.terminate();  // SIGTERM: the recorder closes as its window would
        const QDateTime asked = QDateTime::currentDateTime();
        while (soak.running() && asked.msecsTo(QDateTime::currentDateTime()) < 30000) soak.drain(250);
        closed = !soak.running();
        if (!closed) {
            recorder.kill();
            recorder.waitForFinished(5000);
        }
    }

    const Takes& takes = soak.takes();
    const double growth = slope(hours, residentKiB) + 0.0;  // never "-0.0"
    const int fdGrowth = lastFds - firstFds;
    std::printf("takes expected %d, present %d, of the wrong length %d; shortest %.3f s, longest %.3f s\n", minutes,
                takes.present, takes.wrongLength, takes.shortest, takes.longest);
    std::printf("memory growth %.1f KiB per hour after the first %d minutes%s; descriptors %d at the first minute, "
                "%d at the last\n",
                growth, kWarmUpMinutes, minutes >= kJudgedMinutes ? "" : " (not judged: run too short)", firstFds,
                lastFds);
    if (died || takes.present < minutes || takes.wrongLength > 0)
        std::printf("the recorder's last output:\n%s\n", soak.output().constData());
    if (died) std::printf("the recorder died\n");
    else if (!closed) std::printf("the recorder did not exit within 30 s of SIGTERM\n");
    else std::printf("the recorder closed on SIGTERM with exit code %d\n", recorder.exitCode());
    bench::figure("soak.minutes", minutes);
    bench::figure("soak.takes.expected", minutes);
    bench::figure("soak.takes.present", takes.present);
    bench::figure("soak.takes.wrong_length", takes.wrongLength);
    bench::figure("soak.memory.growth_kib_per_hour", growth);
    bench::figure("soak.fd.growth", fdGrowth);

    const bool memoryFailed = minutes >= kJudgedMinutes && growth >= kMemoryLimitKiBPerHour;
    return died || !closed || takes.present < minutes || takes.wrongLength > 0 || fdGrowth > 0 || memoryFailed ? 1
                                                                                                            : 0;
}
