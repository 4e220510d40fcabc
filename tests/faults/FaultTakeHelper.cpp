// A CD or a music take recorded along by the whole recorder in a process of
// its own, for the fault tests to kill in the middle. The record-along boxes
// are not kept between runs, so the program alone cannot start such a take
// unattended; the rig builds the window as the program does and ticks them.
//   fault_take_helper cd|music
// It runs until it is killed; the home and temporary folders come from the
// environment.
#include "support/RecorderRig.h"
#include "support/pulse/PatternPlayer.h"
#include "support/pulse/SoundFiles.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    using namespace sondex::test;
    const QString binary = QStringLiteral(SONDEX_BINARY);
    const QString kind = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    std::unique_ptr<RecorderRig> rig;
    QStringList arguments;
    if (kind == u"cd") {
        rig = std::make_unique<CdSequenceRig>(20, binary);
        arguments = {QStringLiteral("/PC")};
    } else if (kind == u"music") {
        const QString song = QDir::temp().filePath(QStringLiteral("song.wav"));
        if (!writeSoundFile(song, 44100, 2, makePattern(44100 * 20, 9))) return 3;
        rig = std::make_unique<MusicTakeRig>(binary);
        arguments = {song};
    } else {
        std::fprintf(stderr, "usage: fault_take_helper cd|music\n");
        return 2;
    }
    if (!rig->prepare() || !rig->run(arguments, 600000)) {
        std::fprintf(stderr, "%s\n", qPrintable(rig->failure()));
        return 1;
    }
    return 0;
}
