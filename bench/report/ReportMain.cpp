// Runs the benchmarks one after another and prints every figure beside its
// anchor on one page: the figure, the anchor, their ratio and whether the
// target is met. Each benchmark's own output is kept in the log folder for a
// closer look. Run it on a machine doing nothing else: the CPU and timing
// figures are only as quiet as the machine.
//
//   sondex-bench-report [--quick] [--capture-seconds 600] [--soak-minutes 10 | --soak-log FILE]
//                       [--skip timeline,capture,sizes,startup,takes,timer,soak] [--log-folder DIR]
//
// --quick shortens the long runs (a 60 s capture, a 5-minute soak, shorter
// CD and music takes) to see that everything runs; the figures of record come
// from a full run, with the memory trend from an hour-long soak's log.
#include "BenchFigures.h"
#include "ReportPage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>
#include <QTime>

#include <cmath>
#include <cstdio>
#include <functional>

using namespace sondex::bench;

namespace {

constexpr double kMegabyte = 1;
constexpr double kGigabyte = 1000;
constexpr int kRepeats = 3;  // save, recovery: a median of three, as one sub-millisecond time is noise

struct Settings {
    int captureSeconds = 600;
    int soakMinutes = 10;
    QString soakLog;
    int takeSeconds = 20;
    int startupRuns = 10;
    QString logFolder;
};

class Report {
public:
    explicit Report(Settings settings) : settings_(std::move(settings)) {}

    // Runs a benchmark, keeps its output in the log folder and says how it went.
    BenchRunResult run(const QString& step, const QString& program, const QStringList& arguments, int timeoutSeconds) {
        std::fprintf(stderr, "%s: %s %s\n", qPrintable(QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))),
                     qPrintable(QFileInfo(program).fileName()), qPrintable(arguments.join(u' ')));
        BenchRunResult result = runBench(program, arguments, timeoutSeconds);
        QFile log(QDir(settings_.logFolder).filePath(step + QStringLiteral(".log")));
        if (log.open(QIODevice::Append)) log.write(result.output);
        if (!result.ok()) std::fprintf(stderr, "  %s\n", qPrintable(result.failure));
        return result;
    }

    // The same benchmark run several times, the figures of every run together.
    BenchRunResult repeat(const QString& step, const QString& program, const QStringList& arguments,
                          int timeoutSeconds) {
        BenchRunResult all;
        for (int i = 0; i < kRepeats && all.ok(); ++i) {
            BenchRunResult one = run(step, program, arguments, timeoutSeconds);
            all.figures.merge(one.figures);
            all.failure = one.failure;
        }
        return all;
    }

    void add(ReportLine line) { lines_.append(std::move(line)); }
    const QList<ReportLine>& lines() const { return lines_; }
    const Settings& settings() const { return settings_; }

private:
    Settings settings_;
    QList<ReportLine> lines_;
};

QString ms(double value) { return QString::number(value, 'f', value < 10 ? 3 : 1) + QStringLiteral(" ms"); }

// A figure the benchmark should have printed; a line saying why not when it did not.
bool lacks(Report& report, const BenchRunResult& run, const QStringList& keys, const QString& what) {
    for (const QString& key : keys)
        if (!run.figures.has(key)) {
            report.add(missing(what, run.ok() ? QStringLiteral("no ") + key : run.failure));
            return true;
        }
    return false;
}

void timeline(Report& report) {
    const QString what = QStringLiteral("take start from an idle server, worst");
    const BenchRunResult run = report.run(QStringLiteral("timeline"), QStringLiteral(SONDEX_MCI_BENCH),
                                          {QStringLiteral("--no-record"), QStringLiteral("--no-save")}, 300);
    if (lacks(report, run, {QStringLiteral("take_start.error_ms")}, what)) return;
    const double worst = run.figures.worst(QStringLiteral("take_start.error_ms"));
    report.add(atMost(what, (worst >= 0 ? QStringLiteral("+") : QString()) + ms(worst),
                      QStringLiteral("\"record\" +- 20 ms"), std::abs(worst), 20));
}

void capture(Report& report) {
    const int seconds = report.settings().captureSeconds;
    const QString cpuWhat = QStringLiteral("capture CPU, %1 s beside parecord").arg(seconds);
    const QString framesWhat = QStringLiteral("frames saved over %1 s").arg(seconds);
    const BenchRunResult run = report.run(
        QStringLiteral("capture"), QStringLiteral(SONDEX_MCI_BENCH),
        {QStringLiteral("--no-timeline"), QStringLiteral("--no-save"), QStringLiteral("--record-seconds"),
         QString::number(seconds)},
        seconds + 120);
    const BenchFigures& f = run.figures;
    if (!lacks(report, run, {QStringLiteral("capture.cpu_ms"), QStringLiteral("capture.parecord_cpu_ms")}, cpuWhat)) {
        const double own = f.sum(QStringLiteral("capture.cpu_ms"));
        const double parecord = f.sum(QStringLiteral("capture.parecord_cpu_ms"));
        report.add(atMost(cpuWhat, ms(own), QStringLiteral("parecord ") + ms(parecord), own, parecord));
    }
    if (!lacks(report, run,
               {QStringLiteral("capture.frames_saved"), QStringLiteral("capture.frames_delivered"),
                QStringLiteral("capture.frames_filled")},
               framesWhat)) {
        ReportLine line = exactly(framesWhat, f.sum(QStringLiteral("capture.frames_saved")),
                                  f.sum(QStringLiteral("capture.frames_delivered")) +
                                      f.sum(QStringLiteral("capture.frames_filled")),
                                  QString());
        line.anchor = QStringLiteral("%1 + %2 filled")
                          .arg(qint64(f.sum(QStringLiteral("capture.frames_delivered"))))
                          .arg(qint64(f.sum(QStringLiteral("capture.frames_filled"))));
        report.add(line);
    }
}

// A time for a 1 GB file against the same for 1 MB, each a median of three runs.
void bySize(Report& report, const QString& what, const QString& step, const QString& program,
            const std::function<QStringList(double)>& arguments, const QString& key) {
    const BenchRunResult small = report.repeat(step, program, arguments(kMegabyte), 120);
    const BenchRunResult large = report.repeat(step, program, arguments(kGigabyte), 600);
    if (lacks(report, small, {key}, what) || lacks(report, large, {key}, what)) return;
    const double smallMs = small.figures.median(key);
    const double largeMs = large.figures.median(key);
    report.add(about(what, ms(largeMs), QStringLiteral("1 MB: ") + ms(smallMs), largeMs, smallMs));
}

void sizes(Report& report) {
    bySize(report, QStringLiteral("save of a 1 GB take"), QStringLiteral("save"), QStringLiteral(SONDEX_MCI_BENCH),
           [](double mb) {
               return QStringList{QStringLiteral("--no-timeline"), QStringLiteral("--no-record"),
                                  QStringLiteral("--save-megabytes"), QString::number(mb)};
           },
           QStringLiteral("save.same_fs_ms"));
    bySize(report, QStringLiteral("recovery of a 1 GB leftover"), QStringLiteral("leftover"),
           QStringLiteral(SONDEX_LEFTOVER_BENCH), [](double mb) { return QStringList{QString::number(mb)}; },
           QStringLiteral("leftover.same_fs_ms"));
    const QString what = QStringLiteral("inspection of a 1 GB file");
    const BenchRunResult run = report.run(QStringLiteral("inspector"), QStringLiteral(SONDEX_INSPECTOR_BENCH), {}, 300);
    if (lacks(report, run, {QStringLiteral("inspector.1mb_us"), QStringLiteral("inspector.1gb_us")}, what)) return;
    const double small = run.figures.median(QStringLiteral("inspector.1mb_us"));
    const double large = run.figures.median(QStringLiteral("inspector.1gb_us"));
    report.add(about(what, QString::number(large, 'f', 1) + QStringLiteral(" us"),
                     QStringLiteral("1 MB: %1 us").arg(small, 0, 'f', 1), large, small));
}

void startup(Report& report) {
    const int runs = report.settings().startupRuns;
    const QString what = QStringLiteral("start-up to window shown, median of %1").arg(runs);
    const BenchRunResult run =
        report.run(QStringLiteral("startup"), QStringLiteral(SONDEX_STARTUP_BENCH), {QString::number(runs)}, 300);
    if (lacks(report, run, {QStringLiteral("startup.median_ms")}, what)) return;
    const double median = run.figures.median(QStringLiteral("startup.median_ms"));
    report.add(atMost(what, ms(median), QStringLiteral("1000 ms"), median, 1000));
}

// Samples that differ, and those of the source that the take lacks.
void bitExact(Report& report, const QString& what, const BenchRunResult& run, const QString& prefix,
              const QString& sourceKey) {
    const QString differing = prefix + QStringLiteral(".differing_samples");
    const QString compared = prefix + QStringLiteral(".compared_samples");
    const QString source = prefix + sourceKey;
    if (lacks(report, run, {differing, compared, source}, what)) return;
    const double lacking = run.figures.sum(source) - run.figures.sum(compared);
    ReportLine line = exactly(what, run.figures.sum(differing) + std::max(0.0, lacking), 0, QStringLiteral(" samples"));
    line.anchor = QStringLiteral("0 of %1").arg(qint64(run.figures.sum(source)));
    report.add(line);
}

void takes(Report& report) {
    const QString seconds = QString::number(report.settings().takeSeconds);
    const int timeout = 10 * report.settings().takeSeconds + 300;
    const BenchRunResult cd = report.run(QStringLiteral("cd"), QStringLiteral(SONDEX_CD_BENCH), {seconds}, timeout);
    bitExact(report, QStringLiteral("CD take, 3 tracks: differing or missing"), cd, QStringLiteral("cd"),
             QStringLiteral(".track_samples"));
    if (cd.figures.sum(QStringLiteral("cd.missing_tracks")) > 0)
        report.add(exactly(QStringLiteral("CD tracks without a take"), cd.figures.sum(QStringLiteral("cd.missing_tracks")),
                           0, QString()));
    const BenchRunResult music =
        report.run(QStringLiteral("music"), QStringLiteral(SONDEX_MUSIC_BENCH), {seconds}, timeout);
    bitExact(report, QStringLiteral("WAV take: differing or missing"), music, QStringLiteral("wav"),
             QStringLiteral(".file_samples"));
}

void timerWeek(Report& report) {
    const QString what = QStringLiteral("timer start error, a simulated week x 3 modes");
    const BenchRunResult run = report.run(QStringLiteral("timer"), QStringLiteral(SONDEX_TIMER_BENCH), {}, 600);
    if (lacks(report, run, {QStringLiteral("timer_week.worst_error_ms")}, what)) return;
    const BenchFigures& f = run.figures;
    const double worst = std::abs(f.worst(QStringLiteral("timer_week.worst_error_ms")));
    report.add(atMost(what, ms(worst), QStringLiteral("1000 ms"), worst, 1000));
    report.add(exactly(QStringLiteral("timer starts missed or doubled, of %1")
                           .arg(qint64(f.sum(QStringLiteral("timer_week.starts_expected")))),
                       f.sum(QStringLiteral("timer_week.starts_missed")) +
                           f.sum(QStringLiteral("timer_week.starts_doubled")),
                       0, QString()));
}

void soak(Report& report) {
    const Settings& s = report.settings();
    BenchRunResult run;
    if (!s.soakLog.isEmpty()) {
        QFile log(s.soakLog);
        if (!log.open(QIODevice::ReadOnly)) run.failure = QStringLiteral("cannot read ") + s.soakLog;
        run.figures = BenchFigures::fromOutput(log.readAll());
    } else if (s.soakMinutes > 0) {
        run = report.run(QStringLiteral("soak"), QStringLiteral(SONDEX_SOAK_BENCH),
                         {QStringLiteral("--minutes"), QString::number(s.soakMinutes)}, s.soakMinutes * 60 + 600);
    } else {
        return;
    }
    const QString memory = QStringLiteral("soak memory growth, %1 min").arg(run.figures.median(QStringLiteral("soak.minutes")));
    if (!lacks(report, run, {QStringLiteral("soak.memory.growth_kib_per_hour")}, memory)) {
        const double growth = run.figures.median(QStringLiteral("soak.memory.growth_kib_per_hour"));
        report.add(atMost(memory, QStringLiteral("%1 KiB/h").arg(growth, 0, 'f', 0), QStringLiteral("1024 KiB/h"),
                          std::max(0.0, growth), 1024));
    }
    const QString takesWhat = QStringLiteral("soak takes present and of the right length");
    if (!lacks(report, run,
               {QStringLiteral("soak.takes.expected"), QStringLiteral("soak.takes.present"),
                QStringLiteral("soak.takes.wrong_length")},
               takesWhat))
        report.add(exactly(takesWhat,
                           run.figures.sum(QStringLiteral("soak.takes.present")) -
                               run.figures.sum(QStringLiteral("soak.takes.wrong_length")),
                           run.figures.sum(QStringLiteral("soak.takes.expected")), QString()));
    if (!lacks(report, run, {QStringLiteral("soak.fd.growth")}, QStringLiteral("soak descriptor growth")))
        report.add(exactly(QStringLiteral("soak descriptor growth"), run.figures.sum(QStringLiteral("soak.fd.growth")),
                           0, QString()));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption quick(QStringLiteral("quick"), QStringLiteral("Shorter runs, to see that all run."));
    const QCommandLineOption captureSeconds(QStringLiteral("capture-seconds"),
                                            QStringLiteral("Length of the capture beside parecord."),
                                            QStringLiteral("s"));
    const QCommandLineOption soakMinutes(QStringLiteral("soak-minutes"),
                                         QStringLiteral("Length of the soak (0: none)."), QStringLiteral("min"));
    const QCommandLineOption soakLog(QStringLiteral("soak-log"),
                                     QStringLiteral("Take the soak's figures from the output of an earlier soak."),
                                     QStringLiteral("file"));
    const QCommandLineOption skip(QStringLiteral("skip"), QStringLiteral("Parts to leave out, by name."),
                                  QStringLiteral("list"));
    const QCommandLineOption logFolder(QStringLiteral("log-folder"),
                                       QStringLiteral("Where each benchmark's output is kept."), QStringLiteral("dir"));
    parser.addOptions({quick, captureSeconds, soakMinutes, soakLog, skip, logFolder});
    parser.process(app);

    Settings settings;
    if (parser.isSet(quick)) settings = {60, 5, {}, 5, 5, {}};
    if (parser.isSet(captureSeconds)) settings.captureSeconds = std::max(3, parser.value(captureSeconds).toInt());
    if (parser.isSet(soakMinutes)) settings.soakMinutes = std::max(0, parser.value(soakMinutes).toInt());
    settings.soakLog = parser.value(soakLog);
    settings.logFolder = parser.isSet(logFolder)
                             ? parser.value(logFolder)
                             : QDir::temp().filePath(QStringLiteral("sondex-bench-report-") +
                                                     QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")));
    if (!QDir().mkpath(settings.logFolder)) {
        std::fprintf(stderr, "cannot create the log folder %s\n", qPrintable(settings.logFolder));
        return 2;
    }
    std::fprintf(stderr, "each benchmark's output goes to %s\n", qPrintable(settings.logFolder));

    Report report(settings);
    const std::pair<const char*, void (*)(Report&)> parts[] = {
        {"timeline", timeline}, {"capture", capture}, {"sizes", sizes}, {"startup", startup},
        {"takes", takes},       {"timer", timerWeek}, {"soak", soak}};
    const QStringList skipped = parser.value(skip).split(u',', Qt::SkipEmptyParts);
    for (const auto& [name, part] : parts)
        if (!skipped.contains(QLatin1String(name))) part(report);
    printPage(QStringLiteral("SONDEX figures, %1 on %2 (%3 cores)%4")
                  .arg(QDateTime::currentDateTime().toString(Qt::ISODate), QSysInfo::machineHostName())
                  .arg(QThread::idealThreadCount())
                  .arg(parser.isSet(quick) ? QStringLiteral(", quick run") : QString()),
              report.lines());
    std::printf("benchmark outputs: %s\n", qPrintable(settings.logFolder));
    for (const ReportLine& line : report.lines())
        if (!line.failure.isEmpty() || !line.met) return 1;
    return 0;
}
