#include "BenchRun.h"

#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace sondex::bench {

void say(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

void figure(const QByteArray& key, double value) {
    std::printf("@ %s %.12g\n", key.constData(), value);
    std::fflush(stdout);
}

void runEventLoopFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace sondex::bench
