#include "ReportPage.h"

#include <cstdio>

namespace sondex::bench {

namespace {

// A time that grows with the size would give a thousand: "about the same"
// leaves room for the noise of sub-millisecond times and no more.
constexpr double kAboutTheSame = 2.0;

QString cell(const QString& text, int width) { return text.leftJustified(width); }

}  // namespace

ReportLine atMost(QString what, QString figure, QString anchor, double value, double anchorValue, double limit) {
    ReportLine line;
    line.what = std::move(what);
    line.figure = std::move(figure);
    line.anchor = std::move(anchor);
    line.ratio = anchorValue > 0 ? value / anchorValue : -1;
    line.target = QStringLiteral("<= %1").arg(limit, 0, 'f', 1);
    line.met = line.ratio >= 0 && line.ratio <= limit;
    return line;
}

ReportLine about(QString what, QString figure, QString anchor, double value, double anchorValue) {
    ReportLine line = atMost(std::move(what), std::move(figure), std::move(anchor), value, anchorValue, kAboutTheSame);
    line.target = QStringLiteral("~ 1");
    return line;
}

ReportLine exactly(QString what, double value, double anchorValue, QString unit) {
    const auto text = [&unit](double v) -> QString { return QString::number(qint64(v)) + unit; };
    ReportLine line;
    line.what = std::move(what);
    line.figure = text(value);
    line.anchor = text(anchorValue);
    line.ratio = anchorValue != 0 ? value / anchorValue : -1;
    line.target = anchorValue != 0 ? QStringLiteral("= 1") : QStringLiteral("= 0");
    line.met = value == anchorValue;
    return line;
}

ReportLine missing(QString what, QString failure) {
    ReportLine line;
    line.what = std::move(what);
    line.failure = std::move(failure);
    return line;
}

void printPage(const QString& heading, const QList<ReportLine>& lines) {
    std::printf("%s\n\n", qPrintable(heading));
    std::printf("%s%s%s%s%s%s\n", qPrintable(cell(QStringLiteral("figure"), 46)),
                qPrintable(cell(QStringLiteral("value"), 18)), qPrintable(cell(QStringLiteral("anchor"), 24)),
                qPrintable(cell(QStringLiteral("ratio"), 9)), qPrintable(cell(QStringLiteral("target"), 8)), "");
    int met = 0;
    for (const ReportLine& line : lines) {
        if (!line.failure.isEmpty()) {
            std::printf("%s%s\n", qPrintable(cell(line.what, 46)), qPrintable(QStringLiteral("NO FIGURE: ") + line.failure));
            continue;
        }
        met += line.met ? 1 : 0;
        const QString ratio = line.ratio < 0 ? QStringLiteral("-") : QString::number(line.ratio, 'f', 3);
        std::printf("%s%s%s%s%s%s\n", qPrintable(cell(line.what, 46)), qPrintable(cell(line.figure, 18)),
                    qPrintable(cell(line.anchor, 24)), qPrintable(cell(ratio, 9)), qPrintable(cell(line.target, 8)),
                    line.met ? "met" : "NOT MET");
    }
    std::printf("\n%d of %lld targets met\n", met, static_cast<long long>(lines.size()));
    std::fflush(stdout);
}

}  // namespace sondex::bench
