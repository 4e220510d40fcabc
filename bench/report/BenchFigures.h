#pragma once

#include <QByteArray>
#include <QMultiHash>
#include <QString>
#include <QStringList>

namespace sondex::bench {

// The "@ key value" lines a benchmark printed, every value of a key kept in
// the order printed (a benchmark repeated, or one line per track).
class BenchFigures {
public:
    // Reads the figure lines out of a benchmark's output; other lines are its text for people.
    static BenchFigures fromOutput(const QByteArray& output);
    void merge(const BenchFigures& other);

    bool has(const QString& key) const { return values_.contains(key); }
    QList<double> all(const QString& key) const;
    double sum(const QString& key) const;
    double median(const QString& key) const;
    // The value farthest from zero, with its sign.
    double worst(const QString& key) const;

private:
    QMultiHash<QString, double> values_;
};

// One benchmark run to its end: its figures, and what went wrong when it failed.
struct BenchRunResult {
    BenchFigures figures;
    QByteArray output;
    QString failure;
    bool ok() const { return failure.isEmpty(); }
};

// Runs a benchmark program with a time limit; its standard output is kept,
// its errors go to this program's.
BenchRunResult runBench(const QString& program, const QStringList& arguments, int timeoutSeconds);

}  // namespace sondex::bench
