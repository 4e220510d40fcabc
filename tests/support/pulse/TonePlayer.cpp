#include "support/pulse/TonePlayer.h"

#include "support/pulse/PrivatePulseServer.h"

#include <QFile>
#include <QThread>

#include <sndfile.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace sondex::test {

bool writeToneFile(const QString& path, int sampleRate, double frequency, double amplitude,
                   double seconds) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file) return false;
    const sf_count_t frames = sf_count_t(seconds * sampleRate);
    std::vector<float> block(2 * 4096);
    for (sf_count_t start = 0; start < frames; start += 4096) {
        const sf_count_t count = std::min<sf_count_t>(4096, frames - start);
        for (sf_count_t i = 0; i < count; ++i) {
            const double t = double(start + i) / sampleRate;
            const float v = float(amplitude * std::sin(2 * std::numbers::pi * frequency * t));
            block[size_t(2 * i)] = block[size_t(2 * i + 1)] = v;
        }
        sf_writef_float(file, block.data(), count);
    }
    return sf_close(file) == 0;
}

TonePlayer::TonePlayer(const PrivatePulseServer& server, double frequency, double amplitude,
                       int seconds, int latencyMs)
    : server_(server),
      file_(server.folder() + QStringLiteral("/tone-%1-%2.wav").arg(frequency).arg(seconds)),
      latencyMs_(latencyMs) {
    if (!QFile::exists(file_)) writeToneFile(file_, 44100, frequency, amplitude, seconds);
}

TonePlayer::~TonePlayer() { stop(); }

bool TonePlayer::start(SinkClock clock) {
    player_.setProcessEnvironment(server_.clientEnvironment());
    player_.start(QStringLiteral("paplay"),
                  {QStringLiteral("--device=") + server_.sinkName(),
                   QStringLiteral("--latency-msec=%1").arg(latencyMs_), file_});
    if (!player_.waitForStarted(5000)) return false;
    // paplay needs a moment to connect before samples reach the sink.
    QThread::msleep(200);
    if (clock == SinkClock::Restart && !restartSinkClock(server_)) return false;
    return player_.state() == QProcess::Running;
}

bool restartSinkClock(const PrivatePulseServer& server) {
    // An idle null sink renders in blocks of two seconds and keeps the block it
    // has begun; suspending and resuming it restarts the clock at the players' latency.
    for (const char* state : {"1", "0"}) {
        QProcess pactl;
        pactl.setProcessEnvironment(server.clientEnvironment());
        pactl.start(QStringLiteral("pactl"), {QStringLiteral("suspend-sink"), server.sinkName(), QLatin1String(state)});
        if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0) return false;
    }
    QThread::msleep(50);
    return true;
}

void TonePlayer::stop() {
    if (player_.state() == QProcess::NotRunning) return;
    player_.kill();
    player_.waitForFinished(5000);
}

}  // namespace sondex::test
