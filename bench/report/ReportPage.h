#pragma once

#include <QList>
#include <QString>

namespace sondex::bench {

// One line of the report: a figure beside its anchor, their ratio, and
// whether the figure meets its target.
struct ReportLine {
    QString what;
    QString figure;
    QString anchor;
    double ratio = -1;  // below 0: no ratio (an anchor of zero)
    QString target;     // the ratio or figure it must meet, as printed
    bool met = false;
    QString failure;  // the benchmark did not give the figure: why
};

// Comparisons of a figure with its anchor.
ReportLine atMost(QString what, QString figure, QString anchor, double value, double anchorValue, double limit = 1.0);
ReportLine about(QString what, QString figure, QString anchor, double value, double anchorValue);
ReportLine exactly(QString what, double value, double anchorValue, QString unit);
ReportLine missing(QString what, QString failure);

// The page: a heading, one row per line and a count of the targets met.
void printPage(const QString& heading, const QList<ReportLine>& lines);

}  // namespace sondex::bench
