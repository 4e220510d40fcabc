#pragma once

#include <QProcess>
#include <QString>

namespace sondex::test {

class PrivatePulseServer;

// Plays a sine tone into the private server's sink (paplay of a generated
// 44100/16/stereo file) until stopped or destroyed. The null sink renders in
// blocks of about a quarter of the player's latency, and its monitor delivers
// at that pace: short for tests that time the start and end of a recording,
// longer to mimic a sound card's periods when CPU use is measured.
class TonePlayer {
public:
    TonePlayer(const PrivatePulseServer& server, double frequency, double amplitude, int seconds,
               int latencyMs = 20);
    ~TonePlayer();
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;

    // Restart: the sink is suspended and resumed to render at this player's
    // latency (restartSinkClock). Keep: the player joins the streams playing
    // now, as a desktop notification does; a restart would pause them too.
    enum class SinkClock { Restart, Keep };
    // Starts playing and waits until the player runs; false when it cannot.
    bool start(SinkClock clock = SinkClock::Restart);
    void stop();

private:
    const PrivatePulseServer& server_;
    QString file_;
    int latencyMs_;
    QProcess player_;
};

// Makes the sink render at the latency of the players connected now (a
// suspend and resume of the sink); false when the server refuses.
bool restartSinkClock(const PrivatePulseServer& server);

// Writes a 16-bit stereo sine tone file with libsndfile; false on failure.
bool writeToneFile(const QString& path, int sampleRate, double frequency, double amplitude,
                   double seconds);

}  // namespace sondex::test
