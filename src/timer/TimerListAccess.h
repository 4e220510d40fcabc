#pragma once

#include <QString>

namespace sondex {

// What the runner needs of the timer's lists: the mode and day group it
// builds the week from, and the loaded list it saves before reading the files
// and shows the entry it chose in.
class TimerListAccess {
public:
    virtual ~TimerListAccess() = default;

    virtual QString programFolder() const = 0;  // with a trailing "/"
    virtual int mode() const = 0;               // timerfiles::Mode
    virtual QString groupName() const = 0;      // the current day group (daily mode)
    virtual bool loadedListEmpty() const = 0;
    // The captions the two combo boxes show, for the runner's labels.
    virtual QString modeCaption() const = 0;
    virtual QString subListCaption() const = 0;

    // Writes the loaded list to its file (errors are ignored).
    virtual void saveLoadedList() = 0;
    // Weekdays and weekly modes: selects sub-list `index` of the current mode and loads it.
    virtual void showSubList(int index) = 0;
    // Selects only the first entry whose start time ("hh:mm") is `startTime` and makes it current.
    virtual void selectEntry(const QString& startTime) = 0;
};

}  // namespace sondex
