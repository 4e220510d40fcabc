#pragma once

#include "timer/TimerListAccess.h"

#include <QObject>
#include <QStringList>
#include <QTime>

#include <array>
#include <functional>
#include <optional>

namespace sondex {

class Settings;

// The time-of-day timer's lists as the panel `Panel_JK` edits them: the mode
// and sub-list chosen, the day groups, the loaded list (the one whose file a
// save writes) with its entry lines in ascending order, the selection and the
// four time editors. Lines are kept as they are: whatever a file holds is
// written back unchanged, and the runner decides what it can run.
class TimerLists : public QObject, public TimerListAccess {
    Q_OBJECT
public:
    struct Hooks {
        std::function<bool(const QString& question)> ask;  // the yes/no box; true on yes
        std::function<void(const QString& text)> notice;
        std::function<QTime()> now;  // the clock the "now" picks read
    };
    enum Side { Start, End };
    enum Editor { StartHour, StartMinute, EndHour, EndMinute };

    // `programFolder` ends with "/".
    TimerLists(QString programFolder, Hooks hooks, QObject* parent = nullptr);

    // TimerListAccess
    QString programFolder() const override { return folder_; }
    int mode() const override { return mode_; }
    QString groupName() const override { return groupName_; }
    bool loadedListEmpty() const override { return lines_.isEmpty(); }
    QString modeCaption() const override;
    QString subListCaption() const override;
    void saveLoadedList() override;
    void showSubList(int index) override;
    void selectEntry(const QString& startTime) override;

    // Start-up: the stored mode, indexes and group, the older version's list
    // taken over, the chosen list loaded. Exit: the list saved, the values stored.
    void startUp(const Settings& settings, const QString& productKey);
    void storeForExit(Settings& settings, const QString& runState);

    // What the panel shows.
    const QStringList& lines() const { return lines_; }
    const QList<int>& selectedRows() const { return selected_; }
    int currentRow() const { return current_; }
    QString countText() const;  // `Label_JK_KOSU`
    QString editor(Editor e) const { return editors_[e]; }
    int actionIndex() const { return action_; }
    int chosenMode() const { return chosenMode_; }  // `ComboBox_TM_Mode`
    QStringList subListItems() const;               // `ComboBox_TM_SUB`
    int subListIndex() const { return subIndex_[chosenMode_]; }
    const QStringList& groupNames() const { return groups_; }
    int loadedMode() const { return loadedMode_; }
    bool groupEditorOpen() const { return groupEditorOpen_; }  // `Panel_DAY`
    QString groupEditText() const { return groupEditText_; }   // `Edit_DAY`

    // "登録": false when nothing was added (the user kept the old line).
    bool registerEntry(const QString& format);
    // A click on a line: the editors take its times and action; returns the
    // format code when the line carries one (`Label_Rate` shows it).
    std::optional<QString> clickLine(int row);
    void setSelection(QList<int> rows, int current);
    void deleteSelected();
    void deleteAll();

    void stepHour(Side side, int delta);
    void stepMinute(Side side, int delta);
    // A pick of the hour or minute pop-up; -1 takes the clock's.
    void pickHour(Side side, int value);
    void pickMinute(Side side, int value);
    void startNow();        // "始"
    void copyStartToEnd();  // "> 終"
    void setActionIndex(int index);

    void changeSubList(int index);
    void changeMode(int mode);
    void reloadGroups();

    void openGroupEditor();   // "編集"
    void closeGroupEditor();  // "戻る"
    void setGroupEditText(const QString& text);
    void renameGroup(const QString& name);  // "変更"
    void newGroup();                        // "新規"
    void deleteGroup();                     // "削除"

    // A group name is a file name here: not empty, no "/" or NUL, not "." or
    // "..", and short enough with ".day" for any file system.
    static bool usableGroupName(const QString& name);

signals:
    void changed();

private:
    QString filePath(int mode, int index, const QString& group) const;
    QString groupFilePath(const QString& group) const { return filePath(0, 0, group); }
    int prepareSubList(int mode);
    void loadSelectedList(int index);
    void readLines(const QString& path);
    bool groupNameTaken(const QString& name) const;
    std::optional<QString> freeGroupName() const;
    void setEditor(Editor e, int value);
    int editorValue(Editor e) const;
    QTime now() const { return hooks_.now ? hooks_.now() : QTime::currentTime(); }
    bool ask(const QString& text) const { return hooks_.ask && hooks_.ask(text); }
    void notice(const QString& text) const;
    bool groupMissing() const;

    QString folder_;
    Hooks hooks_;
    int mode_ = 0;
    int chosenMode_ = 0;
    std::array<int, 3> subIndex_{-1, 0, 0};
    QString groupName_;
    QStringList groups_;
    int loadedMode_ = 0;
    int loadedIndex_ = -1;
    QStringList lines_;
    QList<int> selected_;
    int current_ = -1;
    std::array<QString, 4> editors_;
    int action_;
    bool started_ = false;  // nothing is stored for a close before the start-up loaded the lists
    bool groupEditorOpen_ = false;
    QString groupEditText_;
};

}  // namespace sondex
