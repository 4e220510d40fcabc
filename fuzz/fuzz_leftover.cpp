// A recording file left behind by a run that ended without saving: its header
// is read to recover it.
#include "FuzzInput.h"
#include "platform/mci/Leftovers.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sondex::mci;
    static const QString folder = [] {
        const QString f = sondex::fuzz::scratchFolder() + QStringLiteral("leftovers/");
        QDir().mkpath(f);
        return f;
    }();
    const QString source = sondex::fuzz::inputFile(data, size, QStringLiteral("leftovers/~MCI0001.TMP"));
    const QString target = sondex::fuzz::scratchFolder() + QStringLiteral("recovered.wav");
    for (const Recoverable& leftover : findRecoverable(folder)) {
        leftover.milliseconds();
        recoverLeftover(leftover, target);
        QFile::remove(target);
    }
    QFile::remove(source);
    return 0;
}
