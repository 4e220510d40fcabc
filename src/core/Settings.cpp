#include "core/Settings.h"

#include "platform/AppPaths.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QStringList>

#include <algorithm>

namespace sondex {

namespace {

bool isTextKind(SettingKind kind) {
    return kind == SettingKind::Text || kind == SettingKind::Folder || kind == SettingKind::PathText;
}

}  // namespace

int readNumber(const QString& stored, const QString& defaultText, int fallback) {
    const QString text = stored.isEmpty() ? defaultText : stored;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : fallback;
}

QString recordingFolderFromSetting(const QString& stored) {
    if (stored.isEmpty() || stored == u"/" || stored == kNoFolderMarker) return kNoFolderMarker;
    const QString folder = paths::absoluteFolder(stored);
    if (!QDir(folder).exists() || !QDir::setCurrent(folder))
        return kNoFolderMarker;
    return paths::withTrailingSlash(folder);
}

std::optional<std::pair<int, int>> parseWindowPosition(const QString& stored) {
    const qsizetype comma = stored.indexOf(u',');
    if (comma < 0) return std::nullopt;
    bool leftOk = false;
    bool topOk = false;
    const int left = stored.left(comma).toInt(&leftOk, 10);
    const int top = stored.mid(comma + 1).toInt(&topOk, 10);
    if (!leftOk || !topOk) return std::nullopt;
    return std::make_pair(left, top);
}

Settings::Settings(QString programFolder, QObject* parent)
    : QObject(parent), programFolder_(std::move(programFolder)) {
    // Until the store is read, every value holds what a fresh user gets.
    for (const SettingRule& rule : allSettingRules()) apply(rule, QString());
}

QString Settings::text(Setting setting) const { return texts_[index(setting)]; }

void Settings::setNumber(Setting setting, int value) {
    if (numbers_[index(setting)] == value) return;
    numbers_[index(setting)] = value;
    emit changed(setting);
}

void Settings::setText(Setting setting, const QString& text) {
    if (texts_[index(setting)] == text) return;
    texts_[index(setting)] = text;
    emit changed(setting);
}

void Settings::apply(const SettingRule& rule, const QString& stored) {
    const QString defaultText = QString::fromLatin1(rule.defaultText);
    const size_t i = index(rule.setting);
    switch (rule.kind) {
    case SettingKind::Text:
        texts_[i] = stored;
        return;
    case SettingKind::Folder:
        texts_[i] = recordingFolderFromSetting(stored);
        return;
    case SettingKind::PathText:
        texts_[i] = paths::withTrailingSlash(stored.isEmpty() ? programFolder_ : stored);
        return;
    default:
        break;
    }
    const int value = readNumber(stored, defaultText, rule.fallback);
    int& number = numbers_[i];
    switch (rule.kind) {
    case SettingKind::Switch:
        number = value != 0 ? 1 : 0;
        break;
    case SettingKind::SixteenBits:
        number = value == 1 ? 1 : 0;
        break;
    case SettingKind::Clamped:
        number = std::clamp(value, rule.low, rule.high);
        break;
    case SettingKind::ResetOutside:
        number = (value < rule.low || value > rule.high) ? rule.fallback : value;
        break;
    case SettingKind::AlwaysZero:
        number = 0;
        break;
    default:
        number = value;
        break;
    }
}

void Settings::load(const SettingsStore& store, int first, int last) {
    const auto rules = allSettingRules().subspan(static_cast<size_t>(first),
                                                 static_cast<size_t>(last - first + 1));
    QStringList names;
    for (const SettingRule& rule : rules) names.append(QString::fromLatin1(rule.name));
    const QStringList stored = store.readTexts(names);
    for (size_t i = 0; i < rules.size(); ++i) {
        apply(rules[i], stored.value(static_cast<qsizetype>(i)));
        emit changed(rules[i].setting);
    }
}

void Settings::loadWindowPlacement(const SettingsStore& store) {
    load(store, static_cast<int>(Setting::FP), static_cast<int>(Setting::TEMPALL));
}

void Settings::loadDeferred(const SettingsStore& store) {
    load(store, static_cast<int>(Setting::START), kSettingCount - 1);
}

void Settings::loadAll(const SettingsStore& store) { load(store, 0, kSettingCount - 1); }

QString Settings::storedText(Setting setting) const {
    if (isTextKind(ruleOf(setting).kind)) return text(setting);
    return QString::number(number(setting));
}

bool Settings::writeBack(SettingsStore& store) const {
    QList<NamedText> values;
    for (const Setting setting : writeBackOrder()) values.append({nameOf(setting), storedText(setting)});
    return store.writeTexts(values);
}

}  // namespace sondex
