// Timer list and day files: each line read back into the editors and the
// week's schedule decided from them.
#include "FuzzInput.h"
#include "platform/ListFile.h"
#include "timer/TimerEntry.h"
#include "timer/TimerSchedule.h"

#include <QDateTime>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sondex;
    const QStringList lines = listfile::read(fuzz::inputFile(data, size, QStringLiteral("group.day")));
    for (const QString& line : lines) {
        timerentry::readLine(line);
        timerschedule::formatText(line);
        timerschedule::endAction(line);
    }
    const QDateTime now(QDate(2026, 12, 7), QTime(13, 30, 15));
    for (int mode = 0; mode < 3; ++mode) {
        const timerschedule::Schedule schedule = timerschedule::fromLists(mode, {lines, lines});
        for (const QString& line : schedule.lines)
            timerschedule::entryText(line, mode);
        timerschedule::decide(schedule.lines, mode, now);
    }
    return 0;
}
