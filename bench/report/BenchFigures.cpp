#include "BenchFigures.h"

#include <QProcess>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace sondex::bench {

BenchFigures BenchFigures::fromOutput(const QByteArray& output) {
    BenchFigures figures;
    for (const QByteArray& line : output.split('\n')) {
        if (!line.startsWith("@ ")) continue;
        const QList<QByteArray> words = line.mid(2).simplified().split(' ');
        bool number = false;
        const double value = words.size() == 2 ? words[1].toDouble(&number) : 0;
        if (number) figures.values_.insert(QString::fromLatin1(words[0]), value);
    }
    return figures;
}

void BenchFigures::merge(const BenchFigures& other) {
    for (auto it = other.values_.cbegin(); it != other.values_.cend(); ++it) values_.insert(it.key(), it.value());
}

QList<double> BenchFigures::all(const QString& key) const {
    QList<double> values = values_.values(key);
    std::reverse(values.begin(), values.end());  // a multi-hash hands the newest first
    return values;
}

double BenchFigures::sum(const QString& key) const {
    const QList<double> values = all(key);
    return std::accumulate(values.cbegin(), values.cend(), 0.0);
}

double BenchFigures::median(const QString& key) const {
    QList<double> values = all(key);
    if (values.isEmpty()) return 0;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double BenchFigures::worst(const QString& key) const {
    const QList<double> values = all(key);
    double worst = 0;
    for (double value : values)
        if (std::abs(value) > std::abs(worst)) worst = value;
    return worst;
}

BenchRunResult runBench(const QString& program, const QStringList& arguments, int timeoutSeconds) {
    BenchRunResult result;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        result.failure = QStringLiteral("could not start: ") + process.errorString();
        return result;
    }
    if (!process.waitForFinished(timeoutSeconds * 1000)) {
        process.kill();
        process.waitForFinished();
        result.failure = QStringLiteral("still running after %1 s; stopped").arg(timeoutSeconds);
    } else if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        result.failure = process.exitStatus() == QProcess::NormalExit
                             ? QStringLiteral("exit code %1").arg(process.exitCode())
                             : QStringLiteral("crashed");
    }
    result.output = process.readAllStandardOutput();
    result.figures = BenchFigures::fromOutput(result.output);
    return result;
}

}  // namespace sondex::bench
