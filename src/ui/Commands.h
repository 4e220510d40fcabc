#pragma once

#include "core/Setting.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <initializer_list>

class QAbstractButton;
class QAction;
class QMenu;
class QWidget;

namespace sondex {

class Settings;

// Every menu command of the window by its name, and the rules that keep
// commands which exist twice (a menu item and a pop-up item, or a menu item and
// a check box) carrying the same check mark.
class Commands : public QObject {
    Q_OBJECT
public:
    explicit Commands(QObject* parent = nullptr);

    // Adds a command to a menu; its objectName is the name.
    QAction* add(QMenu* menu, const char* name, const QString& caption, bool checkable = false);
    QAction* add(QMenu* menu, const char* name, const char* utf8Caption, bool checkable = false) {
        return add(menu, name, QString::fromUtf8(utf8Caption), checkable);
    }
    // A pop-up or sub-menu whose objectName is the name.
    QMenu* addMenu(QWidget* parent, const char* name, const QString& title = QString());
    QAction* action(const QString& name) const;
    QAction* operator[](const char* name) const { return action(QString::fromLatin1(name)); }

    // Check boxes that mirror menu commands take part in their groups too.
    void addCheckBox(QAbstractButton* box);

    // These commands always carry the same check mark.
    void mirror(std::initializer_list<const char*> names);

    // These commands show a switch of the settings: each check mark follows
    // the setting, and toggling any of them sets it.
    void bindSwitch(Settings& settings, Setting setting, std::initializer_list<const char*> names);

    // Commands that choose one value of a setting: the command at position i
    // of each list stands for the value i; exactly one position is checked.
    void bindChoice(Settings& settings, Setting setting,
                    std::initializer_list<std::initializer_list<const char*>> copies);

    // Switching one of these switches on through its commands switches the other off.
    void exclude(Setting first, Setting second);

private:
    struct Member {
        QAction* action = nullptr;
        QAbstractButton* box = nullptr;
    };
    Member member(const QString& name) const;
    static void setMemberChecked(const Member& m, bool checked);
    void connectToggled(const Member& m, std::function<void(bool)> onToggled);

    QHash<QString, QAction*> actions_;
    QHash<QString, QAbstractButton*> boxes_;
    QHash<QString, QStringList> mirrors_;
    QMultiHash<int, Setting> exclusions_;
};

}  // namespace sondex
