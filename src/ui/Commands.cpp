#include "ui/Commands.h"

#include "core/Settings.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QSignalBlocker>

namespace sondex {

Commands::Commands(QObject* parent) : QObject(parent) {}

QAction* Commands::add(QMenu* menu, const char* name, const QString& caption, bool checkable) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    menu->addAction(action);
    actions_.insert(action->objectName(), action);
    return action;
}

QMenu* Commands::addMenu(QWidget* parent, const char* name, const QString& title) {
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    actions_.insert(menu->objectName(), menu->menuAction());
    return menu;
}

QAction* Commands::action(const QString& name) const {
    QAction* found = actions_.value(name);
    // A misspelt name is a programming error that would otherwise crash later
    // on a null action, in release builds too: stop at once and name it.
    if (!found) qFatal("unknown command %s", qPrintable(name));
    return found;
}

void Commands::addCheckBox(QAbstractButton* box) { boxes_.insert(box->objectName(), box); }

Commands::Member Commands::member(const QString& name) const {
    Member m{actions_.value(name), boxes_.value(name)};
    if (!m.action && !m.box) qFatal("unknown command %s", qPrintable(name));
    return m;
}

void Commands::setMemberChecked(const Member& m, bool checked) {
    if (m.action) {
        const QSignalBlocker block(m.action);
        m.action->setChecked(checked);
    }
    if (m.box) {
        const QSignalBlocker block(m.box);
        m.box->setChecked(checked);
    }
}

void Commands::connectToggled(const Member& m, std::function<void(bool)> onToggled) {
    if (m.action) connect(m.action, &QAction::toggled, this, onToggled);
    if (m.box) connect(m.box, &QAbstractButton::toggled, this, onToggled);
}

void Commands::mirror(std::initializer_list<const char*> names) {
    QStringList group;
    for (const char* name : names) group.append(QString::fromLatin1(name));
    for (const QString& name : group) {
        mirrors_[name] = group;
        connectToggled(member(name), [this, name](bool checked) {
            for (const QString& other : mirrors_.value(name)) {
                if (other != name) setMemberChecked(member(other), checked);
            }
        });
    }
}

void Commands::bindSwitch(Settings& settings, Setting setting, std::initializer_list<const char*> names) {
    QStringList group;
    for (const char* name : names) group.append(QString::fromLatin1(name));
    const auto show = [this, group, &settings, setting] {
        for (const QString& name : group) setMemberChecked(member(name), settings.isOn(setting));
    };
    for (const QString& name : group) {
        connectToggled(member(name), [this, &settings, setting](bool checked) {
            settings.setOn(setting, checked);
            if (!checked) return;
            for (const Setting other : exclusions_.values(static_cast<int>(setting))) settings.setOn(other, false);
        });
    }
    connect(&settings, &Settings::changed, this, [show, setting](Setting changed) {
        if (changed == setting) show();
    });
    show();
}

void Commands::bindChoice(Settings& settings, Setting setting,
                          std::initializer_list<std::initializer_list<const char*>> copies) {
    QList<QStringList> lists;
    for (const auto& copy : copies) {
        QStringList names;
        for (const char* name : copy) names.append(QString::fromLatin1(name));
        lists.append(names);
    }
    const auto show = [this, lists, &settings, setting] {
        for (const QStringList& names : lists) {
            for (qsizetype i = 0; i < names.size(); ++i)
                setMemberChecked(member(names[i]), settings.number(setting) == i);
        }
    };
    for (const QStringList& names : lists) {
        for (qsizetype i = 0; i < names.size(); ++i) {
            const int value = static_cast<int>(i);
            connectToggled(member(names[i]), [&settings, setting, value, show](bool) {
                // Choosing the checked item again keeps it checked.
                settings.setNumber(setting, value);
                show();
            });
        }
    }
    connect(&settings, &Settings::changed, this, [show, setting](Setting changed) {
        if (changed == setting) show();
    });
    show();
}

void Commands::exclude(Setting first, Setting second) {
    exclusions_.insert(static_cast<int>(first), second);
    exclusions_.insert(static_cast<int>(second), first);
}

}  // namespace sondex
