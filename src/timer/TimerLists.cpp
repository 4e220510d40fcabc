#include "timer/TimerLists.h"

#include "core/Settings.h"
#include "platform/ListFile.h"
#include "timer/LegacyTimerList.h"
#include "timer/TimerEntry.h"
#include "timer/TimerFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace sondex {

namespace {

const QString kFirstGroup = QStringLiteral("DAY000");
const QString kNoGroup = QStringLiteral("データがありません・・・\n強制終了します");
constexpr int kMaxGroupFileBytes = 250;

QStringList modeCaptions() {
    return {QStringLiteral("毎日"), QStringLiteral("月-金"), QStringLiteral("毎週")};
}

QStringList weekdayCaptions() {
    return {QStringLiteral("月-金"), QStringLiteral("土"), QStringLiteral("日")};
}

QStringList weekCaptions() {
    return {QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"), QStringLiteral("木"),
            QStringLiteral("金"), QStringLiteral("土"), QStringLiteral("日")};
}

int indexOfName(const QStringList& names, const QString& name) {
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

// Every name in the folder, files and folders alike, for case-blind lookups.
QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace

TimerLists::TimerLists(QString programFolder, Hooks hooks, QObject* parent)
    : QObject(parent), folder_(std::move(programFolder)), hooks_(std::move(hooks)), action_(timerentry::kDefaultAction) {
    editors_.fill(QStringLiteral("00"));
}

QString TimerLists::modeCaption() const { return modeCaptions().value(chosenMode_); }

QString TimerLists::subListCaption() const { return subListItems().value(subListIndex()); }

QStringList TimerLists::subListItems() const {
    switch (chosenMode_) {
    case timerfiles::Weekdays: return weekdayCaptions();
    case timerfiles::Weekly: return weekCaptions();
    default: return groups_;
    }
}

QString TimerLists::countText() const { return QString::number(lines_.size()) + QStringLiteral("ｺ"); }

// Files copied from elsewhere may differ in letter case ("DAY000.DAY", "SONDEXF0.LIS"):
// the one on disk is used when there is one.
QString TimerLists::filePath(int mode, int index, const QString& group) const {
    const QString name = timerfiles::subListFileName(mode, index, group);
    if (name.isEmpty()) return {};
    if (QFileInfo::exists(folder_ + name)) return folder_ + name;
    const QStringList entries = folderEntries(folder_);
    const int found = indexOfName(entries, name);
    return folder_ + (found >= 0 ? entries[found] : name);
}

void TimerLists::readLines(const QString& path) {
    lines_ = path.isEmpty() ? QStringList() : listfile::read(path);
    std::stable_sort(lines_.begin(), lines_.end());
    selected_.clear();
    current_ = -1;
}

void TimerLists::saveLoadedList() {
    const QString path = filePath(loadedMode_, loadedIndex_, groupName_);
    if (!path.isEmpty()) listfile::write(path, lines_);
}

void TimerLists::loadSelectedList(int index) {
    mode_ = chosenMode_;
    subIndex_[mode_] = index;
    if (mode_ == timerfiles::Daily && index >= 0 && index < groups_.size()) groupName_ = groups_[index];
    loadedMode_ = mode_;
    loadedIndex_ = index;
    readLines(filePath(loadedMode_, loadedIndex_, groupName_));
    emit changed();
}

void TimerLists::showSubList(int index) {
    if (index < 0 || index >= subListItems().size()) return;
    loadSelectedList(index);
}

void TimerLists::changeSubList(int index) {
    if (index < 0 || index >= subListItems().size()) return;
    saveLoadedList();
    loadSelectedList(index);
}

int TimerLists::prepareSubList(int mode) {
    chosenMode_ = (mode == timerfiles::Weekdays || mode == timerfiles::Weekly) ? mode : timerfiles::Daily;
    if (chosenMode_ != timerfiles::Daily) {
        // The group editor works on the daily mode's list only.
        groupEditorOpen_ = false;
        return subIndex_[chosenMode_];
    }
    reloadGroups();
    const int found = groupName_.isEmpty() ? 0 : indexOfName(groups_, groupName_);
    const int index = std::max(found, 0);
    subIndex_[timerfiles::Daily] = index;
    groupName_ = groups_[index];
    return index;
}

void TimerLists::changeMode(int mode) {
    // Saved before the groups are read again: a new group without a file yet
    // is not among them, and its entries must not go to the group chosen instead.
    saveLoadedList();
    loadSelectedList(prepareSubList(mode));
}

void TimerLists::reloadGroups() {
    const QFileInfoList files = QDir(folder_).entryInfoList({QStringLiteral("*.day")},
                                                            QDir::Files | QDir::Hidden | QDir::System,
                                                            QDir::Name | QDir::IgnoreCase);
    groups_.clear();
    for (const QFileInfo& file : files) {
        // ".day" alone names no group.
        const QString name = file.fileName().chopped(4);
        if (usableGroupName(name)) groups_.append(name);
    }
    if (groups_.isEmpty()) groups_.append(kFirstGroup);
}

void TimerLists::startUp(const Settings& settings, const QString& productKey) {
    subIndex_[timerfiles::Weekdays] = settings.number(Setting::TM_F_Index);
    subIndex_[timerfiles::Weekly] = settings.number(Setting::TWEK_Index);
    groupName_ = settings.text(Setting::TDAY_S);
    adoptLegacyTimerList(folder_, productKey);
    started_ = true;
    loadSelectedList(prepareSubList(settings.number(Setting::TM_Mode)));
}

void TimerLists::storeForExit(Settings& settings, const QString& runState) {
    if (!started_) return;
    saveLoadedList();
    settings.setText(Setting::JK, runState);
    settings.setNumber(Setting::TM_Mode, mode_);
    settings.setText(Setting::TDAY_S, groupName_);
    settings.setNumber(Setting::TM_F_Index, subIndex_[timerfiles::Weekdays]);
    settings.setNumber(Setting::TWEK_Index, subIndex_[timerfiles::Weekly]);
}

bool TimerLists::registerEntry(const QString& format) {
    const QString start = editors_[StartHour] + u':' + editors_[StartMinute];
    const auto same = std::find_if(lines_.cbegin(), lines_.cend(), [&](const QString& l) { return l.startsWith(start); });
    if (same != lines_.cend()) {
        if (!ask(start + QStringLiteral("\nこのスタート時刻は、既に登録されています。\n書き換えても、よろしいですか？？？")))
            return false;
        lines_.removeAt(same - lines_.cbegin());
    }
    const QString line = timerentry::makeLine(start, editors_[EndHour], editors_[EndMinute], action_, format);
    lines_.insert(std::upper_bound(lines_.cbegin(), lines_.cend(), line) - lines_.cbegin(), line);
    selected_.clear();
    current_ = -1;
    emit changed();
    return true;
}

std::optional<QString> TimerLists::clickLine(int row) {
    if (row < 0 || row >= lines_.size()) return std::nullopt;
    current_ = row;
    if (lines_[row].isEmpty()) return std::nullopt;
    const timerentry::EditorValues v = timerentry::readLine(lines_[row]);
    const std::optional<QString> fields[] = {v.startHour, v.startMinute, v.endHour, v.endMinute};
    for (int e = StartHour; e <= EndMinute; ++e) {
        if (fields[e]) editors_[e] = *fields[e];
    }
    action_ = v.actionIndex;
    emit changed();
    return v.format;
}

void TimerLists::setSelection(QList<int> rows, int current) {
    rows.removeIf([this](int r) { return r < 0 || r >= lines_.size(); });
    selected_ = std::move(rows);
    current_ = current >= 0 && current < lines_.size() ? current : -1;
}

void TimerLists::selectEntry(const QString& startTime) {
    for (int row = 0; row < lines_.size(); ++row) {
        if (lines_[row].left(5) != startTime) continue;
        selected_ = {row};
        current_ = row;
        emit changed();
        return;
    }
}

void TimerLists::deleteSelected() {
    QList<int> rows = selected_;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) lines_.removeAt(*it);
    selected_.clear();
    current_ = -1;
    emit changed();
}

void TimerLists::deleteAll() {
    if (ask(QStringLiteral("設定時刻を、すべて消しても、よろしいですか？？？"))) {
        lines_.clear();
        selected_.clear();
        current_ = -1;
    }
    emit changed();
}

int TimerLists::editorValue(Editor e) const {
    bool ok = false;
    const int value = editors_[e].toInt(&ok);
    return ok ? value : 0;
}

void TimerLists::setEditor(Editor e, int value) { editors_[e] = timerentry::twoDigits(value); }

void TimerLists::stepHour(Side side, int delta) {
    const Editor hour = side == Start ? StartHour : EndHour;
    setEditor(hour, ((editorValue(hour) + delta) % 24 + 24) % 24);
    emit changed();
}

void TimerLists::stepMinute(Side side, int delta) {
    const Editor minute = side == Start ? StartMinute : EndMinute;
    const int value = editorValue(minute) + delta;
    if (value > 59 || value < 0) {
        setEditor(minute, value > 59 ? 0 : 59);
        stepHour(side, value > 59 ? 1 : -1);
        return;
    }
    setEditor(minute, value);
    emit changed();
}

void TimerLists::pickHour(Side side, int value) {
    setEditor(side == Start ? StartHour : EndHour, value < 0 ? now().hour() : value);
    emit changed();
}

void TimerLists::pickMinute(Side side, int value) {
    setEditor(side == Start ? StartMinute : EndMinute, value < 0 ? now().minute() : value);
    emit changed();
}

void TimerLists::startNow() {
    const QTime time = now();
    setEditor(StartHour, time.hour());
    setEditor(StartMinute, time.minute());
    emit changed();
}

void TimerLists::copyStartToEnd() {
    editors_[EndHour] = editors_[StartHour];
    editors_[EndMinute] = editors_[StartMinute];
    emit changed();
}

void TimerLists::setActionIndex(int index) { action_ = index; }

void TimerLists::notice(const QString& text) const {
    if (hooks_.notice) hooks_.notice(text);
}

bool TimerLists::groupMissing() const {
    if (!groupName_.isEmpty()) return false;
    notice(kNoGroup);
    return true;
}

bool TimerLists::usableGroupName(const QString& name) {
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(QChar(0)) && name != QStringLiteral(".") &&
           name != QStringLiteral("..") && (name + QStringLiteral(".day")).toUtf8().size() <= kMaxGroupFileBytes;
}

bool TimerLists::groupNameTaken(const QString& name) const {
    return indexOfName(groups_, name) >= 0 || indexOfName(folderEntries(folder_), name + QStringLiteral(".day")) >= 0;
}

std::optional<QString> TimerLists::freeGroupName() const {
    for (int n = 0; n <= 999; ++n) {
        const QString name = QStringLiteral("DAY%1").arg(n, 3, 10, QChar(u'0'));
        if (!groupNameTaken(name)) return name;
    }
    return std::nullopt;
}

void TimerLists::openGroupEditor() {
    if (groupMissing()) return;
    groupEditText_ = groupName_;
    groupEditorOpen_ = true;
    emit changed();
}

void TimerLists::closeGroupEditor() {
    groupEditorOpen_ = false;
    emit changed();
}

void TimerLists::setGroupEditText(const QString& text) { groupEditText_ = text; }

void TimerLists::renameGroup(const QString& name) {
    if (groupMissing()) return;
    if (!usableGroupName(name)) {
        notice(QStringLiteral("この名前は使えません・・・\n") + name);
        return;
    }
    if (groupNameTaken(name)) {
        notice(QStringLiteral("同名データが既に存在しています・・・\n") + name);
        return;
    }
    QFile::remove(groupFilePath(groupName_));
    groupName_ = name;
    groupEditText_ = name;
    const int index = subIndex_[timerfiles::Daily];
    if (index >= 0 && index < groups_.size()) groups_[index] = name;
    groupEditorOpen_ = false;
    emit changed();
}

void TimerLists::newGroup() {
    if (groupMissing()) return;
    const std::optional<QString> name = freeGroupName();
    if (!name) {
        notice(QStringLiteral("新しいデータを作れません・・・\nDAY000～DAY999が、すべて使われています"));
        return;
    }
    listfile::write(groupFilePath(groupName_), lines_);
    readLines({});
    groupEditText_ = *name;
    groupName_ = *name;
    groups_.append(*name);
    subIndex_[timerfiles::Daily] = static_cast<int>(groups_.size()) - 1;
    loadedIndex_ = subIndex_[timerfiles::Daily];
    emit changed();
}

void TimerLists::deleteGroup() {
    if (groupMissing()) return;
    QFile::remove(groupFilePath(groupName_));
    readLines({});
    int index = subIndex_[timerfiles::Daily];
    if (index >= 0 && index < groups_.size()) groups_.removeAt(index);
    if (--index < 0) index = static_cast<int>(groups_.size()) - 1;
    if (groups_.isEmpty()) {
        index = 0;
        groups_.append(kFirstGroup);
        groupName_ = kFirstGroup;
    } else {
        groupName_ = groups_[index];
        readLines(groupFilePath(groupName_));
    }
    subIndex_[timerfiles::Daily] = index;
    loadedIndex_ = index;
    groupEditText_ = groupName_;
    emit changed();
}

}  // namespace sondex
