#include "core/Settings.h"

#include "platform/SettingsStore.h"

#include <QDir>
#include <QHash>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sondex {
namespace {

// A store in memory that remembers the order of every write.
class MemoryStore final : public SettingsStore {
public:
    QStringList readTexts(const QStringList& names) const override {
        QStringList texts;
        for (const QString& name : names) texts.append(values.value(name.toLower()));
        return texts;
    }
    bool writeTexts(const QList<NamedText>& written) override {
        if (failWrites) return false;
        for (const NamedText& value : written) {
            values[value.first.toLower()] = value.second;
            order.append(value.first);
        }
        return true;
    }
    void set(const char* name, const QString& text) { values[QString::fromLatin1(name).toLower()] = text; }
    QString get(const char* name) const { return values.value(QString::fromLatin1(name).toLower()); }

    QHash<QString, QString> values;
    QStringList order;
    bool failWrites = false;
};

const QString kProgramFolder = QStringLiteral("/data/TAVIK SOFT32/SONDEX/");

struct LoadCase {
    const char* name;
    const char* stored;
    int expected;
};

class StartupRuleTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(StartupRuleTest, StoredTextLoadsAs) {
    const LoadCase& c = GetParam();
    MemoryStore store;
    store.set(c.name, QString::fromUtf8(c.stored));
    Settings settings(kProgramFolder);
    settings.loadAll(store);
    const auto rules = allSettingRules();
    const auto rule = std::find_if(rules.begin(), rules.end(),
                                   [&](const SettingRule& r) { return qstrcmp(r.name, c.name) == 0; });
    ASSERT_NE(rule, rules.end());
    EXPECT_EQ(settings.number(rule->setting), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ClampsAndFallbacks, StartupRuleTest,
    ::testing::Values(LoadCase{"INTORO", "9000", 5999}, LoadCase{"INTORO", "-1", 0},
                      LoadCase{"Track_END_PLUS", "-5", 0}, LoadCase{"Track_END_PLUS", "11", 10},
                      LoadCase{"NR_WAIT", "1", 3}, LoadCase{"NR_WAIT", "500", 180},
                      LoadCase{"NR_WAIT", "x", 10}, LoadCase{"SHUDO", "100000", 90000},
                      LoadCase{"TM_Mode", "5", 0}, LoadCase{"TM_Mode", "2", 2},
                      LoadCase{"TM_F_Index", "3", 0}, LoadCase{"TWEK_Index", "7", 0},
                      LoadCase{"TWEK_Index", "6", 6}, LoadCase{"START", "x", 1},
                      LoadCase{"STARTMIN", "on", 1}, LoadCase{"REPEAT", "x", 0}, LoadCase{"START", "7", 1},
                      LoadCase{"RECWAIT", "5", 0}, LoadCase{"RECEND_WAIT", "9", 0},
                      LoadCase{"OPENWAIT", "x", 0}, LoadCase{"Serch_Err", "1", 0},
                      LoadCase{"Bit", "2", 0}, LoadCase{"Bit", "x", 1}, LoadCase{"stereo", "2", 1},
                      LoadCase{"stereo", "0", 0}, LoadCase{"rate2", "9", 7}, LoadCase{"rate2", "-1", 7},
                      LoadCase{"rate2", "0", 0}, LoadCase{"BufCount", "42", 42},
                      LoadCase{"MIDI_DISP", "x", 0}, LoadCase{"REC_TXT", "3", 3},
                      LoadCase{"BufCount", "99999999999", 6}));

TEST(SettingsTest, EveryValueSurvivesARoundTripInTheCloseOrder) {
    QTemporaryDir folder;
    MemoryStore store;
    const QHash<QString, QString> chosen{
        {QStringLiteral("FP"), QStringLiteral("12,-34")},
        {QStringLiteral("TEMPALL"), folder.path() + u'/'},
        {QStringLiteral("LoadPath"), QStringLiteral("/music/曲/")},
        {QStringLiteral("JK"), QStringLiteral("実行中")},
        {QStringLiteral("TDAY_S"), QStringLiteral("DAY000")},
        {QStringLiteral("rate2"), QStringLiteral("3")},
        {QStringLiteral("BufCount"), QStringLiteral("4")},
        {QStringLiteral("Track_END_PLUS"), QStringLiteral("10")},
        {QStringLiteral("INTORO"), QStringLiteral("5999")},
        {QStringLiteral("SHUDO"), QStringLiteral("90000")},
        {QStringLiteral("NR_WAIT"), QStringLiteral("3")},
        {QStringLiteral("TM_Mode"), QStringLiteral("2")},
        {QStringLiteral("TM_F_Index"), QStringLiteral("1")},
        {QStringLiteral("TWEK_Index"), QStringLiteral("6")},
        {QStringLiteral("MIDI_DISP"), QStringLiteral("1")},
        {QStringLiteral("Shudo_DISP"), QStringLiteral("1")},
        {QStringLiteral("REC_TXT"), QStringLiteral("1")},
    };
    // Every switch the opposite of its default, so nothing passes by accident.
    QHash<QString, QString> expected = chosen;
    for (const SettingRule& rule : allSettingRules()) {
        const QString name = QString::fromLatin1(rule.name);
        if (rule.kind == SettingKind::Switch || rule.kind == SettingKind::SixteenBits)
            expected[name] = QString::fromLatin1(rule.defaultText) == u"1" ? QStringLiteral("0") : QStringLiteral("1");
        if (rule.kind == SettingKind::AlwaysZero) expected[name] = QStringLiteral("0");
    }
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) store.values[it.key().toLower()] = it.value();

    Settings settings(kProgramFolder);
    settings.loadAll(store);
    MemoryStore written;
    ASSERT_TRUE(settings.writeBack(written));

    QStringList expectedOrder;
    for (Setting s : writeBackOrder()) expectedOrder.append(nameOf(s));
    EXPECT_EQ(written.order, expectedOrder);
    EXPECT_EQ(written.order.size(), kSettingCount);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        EXPECT_EQ(written.values.value(it.key().toLower()), it.value()) << qPrintable(it.key());
}

TEST(SettingsTest, ChangesAreAnnouncedOnlyWhenAValueReallyChanges) {
    Settings settings(kProgramFolder);
    QSignalSpy changed(&settings, &Settings::changed);
    settings.setOn(Setting::MIDIREC, true);
    settings.setOn(Setting::MIDIREC, true);
    settings.setText(Setting::JK, QStringLiteral("停止中"));
    ASSERT_EQ(changed.size(), 2);
    EXPECT_EQ(changed[0][0].value<Setting>(), Setting::MIDIREC);
}

TEST(SettingsTest, PlacementIsReadSeparatelyFromTheRest) {
    MemoryStore store;
    store.set("FP", QStringLiteral("1,2"));
    store.set("NR_WAIT", QStringLiteral("60"));
    Settings settings(kProgramFolder);
    settings.loadWindowPlacement(store);
    EXPECT_EQ(settings.text(Setting::FP), QStringLiteral("1,2"));
    EXPECT_EQ(settings.number(Setting::NR_WAIT), 10);
    settings.loadDeferred(store);
    EXPECT_EQ(settings.number(Setting::NR_WAIT), 60);
}

TEST(RecordingFolderRuleTest, OnlyAnExistingFolderIsTakenAndRelativeOnesStartAtHome) {
    QTemporaryDir folder;
    const QString path = folder.path();
    EXPECT_EQ(recordingFolderFromSetting(QString()), kNoFolderMarker);
    EXPECT_EQ(recordingFolderFromSetting(QStringLiteral("/")), kNoFolderMarker);
    EXPECT_EQ(recordingFolderFromSetting(kNoFolderMarker), kNoFolderMarker);
    EXPECT_EQ(recordingFolderFromSetting(path + QStringLiteral("/gone")), kNoFolderMarker);
    EXPECT_EQ(recordingFolderFromSetting(QStringLiteral("relative/x")), kNoFolderMarker);
    EXPECT_EQ(recordingFolderFromSetting(path), path + u'/');
    EXPECT_EQ(recordingFolderFromSetting(path + u'/'), path + u'/');
    EXPECT_EQ(QDir::currentPath(), QDir(path).canonicalPath());

    QDir().mkpath(QDir::homePath() + QStringLiteral("/TAVIKT32/TEMPALL"));
    EXPECT_EQ(recordingFolderFromSetting(QStringLiteral("~/TAVIKT32/TEMPALL")),
              QDir::homePath() + QStringLiteral("/TAVIKT32/TEMPALL/"));
    // A relative folder starts at home, whatever the current folder is now.
    for (const QString& relative : {QStringLiteral("TAVIKT32/TEMPALL"), QStringLiteral("./TAVIKT32//TEMPALL/")})
        EXPECT_EQ(recordingFolderFromSetting(relative), QDir::homePath() + QStringLiteral("/TAVIKT32/TEMPALL/"));
}

TEST(WindowPositionTest, TwoDecimalNumbersSplitAtTheFirstComma) {
    EXPECT_EQ(parseWindowPosition(QStringLiteral("5000,5000")), std::make_pair(5000, 5000));
    EXPECT_EQ(parseWindowPosition(QStringLiteral("-10,20")), std::make_pair(-10, 20));
    EXPECT_EQ(parseWindowPosition(QStringLiteral("1,2,3")), std::nullopt);
    EXPECT_EQ(parseWindowPosition(QStringLiteral("12")), std::nullopt);
    EXPECT_EQ(parseWindowPosition(QStringLiteral("a,1")), std::nullopt);
    EXPECT_EQ(parseWindowPosition(QString()), std::nullopt);
}

}  // namespace
}  // namespace sondex
