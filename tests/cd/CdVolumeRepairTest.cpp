#include "cd/CdVolumeRepair.h"

#include <gtest/gtest.h>

using namespace sondex;
using cd::StreamVolume;

namespace {

constexpr quint32 kFull = cd::kFullVolume;

StreamVolume level(quint32 lowest, quint32 highest, bool muted = false) {
    return StreamVolume{true, lowest, highest, muted};
}

const QString kOn = QStringLiteral("E番のＣＤドライブのボリュームをＯＮに変更しました。");
const QString kCorrected =
    QStringLiteral("E番のＣＤドライブ番号のデータサイズが不正です。強制的に補正します");
const QString kSkipped =
    QStringLiteral("E番のＣＤドライブ番号には、データが設定されていないので飛ばします。");
const QString kOneChanged =
    QStringLiteral("1台中、1台のＣＤドライブのボリュームをＯＮに変更しました。");
const QString kNoneChanged = QStringLiteral("1台のＣＤドライブかありますが、");

struct UnitCase {
    const char* name;
    CdUnitSound unit;
    bool defaultSinkMuted;
    QStringList unitLines;
    QString summary;
    bool stores, setsPlaying;
};

}  // namespace

TEST(CdVolumeRepair, EachUnitIsTurnedOnOnlyWhereItIsSilencedOrOverdriven) {
    const QChar e(u'E');
    // clang-format off
    const UnitCase cases[] = {
        {"missing image", {e, false, level(0, 0, true), std::nullopt}, false,
         {kSkipped}, kNoneChanged, false, false},
        {"150 % remembered", {e, true, level(kFull, kFull * 3 / 2), std::nullopt}, false,
         {kCorrected}, kOneChanged, true, false},
        {"remembered muted", {e, true, level(kFull, kFull, true), std::nullopt}, false,
         {kOn}, kOneChanged, true, false},
        {"one channel low, one overdriven", {e, true, level(kFull / 2, kFull * 2), std::nullopt}, false,
         {kCorrected, kOn}, kOneChanged, true, false},
        {"playing at 30 %, nothing remembered", {e, true, std::nullopt, level(kFull * 3 / 10, kFull * 3 / 10)}, false,
         {kOn}, kOneChanged, false, true},
        {"the mute alone remembered, off", {e, true, StreamVolume{false, 0, 0, false}, std::nullopt}, false,
         {}, kNoneChanged, false, false},
        {"already fine", {e, true, level(kFull, kFull), level(kFull, kFull)}, false,
         {}, kNoneChanged, false, false},
        {"default sink muted", {e, true, level(kFull, kFull), std::nullopt}, true,
         {kOn}, kOneChanged, false, false},
    };
    // clang-format on
    for (const UnitCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CdRepairPlan plan = planCdVolumeRepair({0, {c.unit}, c.defaultSinkMuted});
        ASSERT_FALSE(plan.noUnits);
        const QString dashes(61, u'-');
        EXPECT_EQ(plan.lines.mid(0, plan.lines.indexOf(dashes)), c.unitLines);
        EXPECT_EQ(plan.lines.value(plan.lines.lastIndexOf(dashes) + 1), c.summary);
        EXPECT_EQ(plan.messages.size(), 1);
        EXPECT_TRUE(plan.messages.value(0).startsWith(c.summary));
        EXPECT_EQ(plan.toStore, c.stores ? QList<QChar>{e} : QList<QChar>{});
        EXPECT_EQ(plan.toSetPlaying, c.setsPlaying ? QList<QChar>{e} : QList<QChar>{});
        EXPECT_EQ(plan.unmuteDefaultSink, c.defaultSinkMuted);
    }
}

TEST(CdVolumeRepair, ReportOfUnreadableLinesSkippedAndRepairedUnits) {
    const CdRepairFindings findings{
        2,
        {{QChar(u'E'), false, std::nullopt, std::nullopt},
         {QChar(u'F'), true, level(kFull * 3 / 2, kFull * 3 / 2, true), std::nullopt},
         {QChar(u'G'), true, level(kFull, kFull), level(kFull, kFull)}},
        false};
    const CdRepairPlan plan = planCdVolumeRepair(findings);

    const QString dashes(61, u'-');
    const QStringList expected{
        QStringLiteral("SONDEX何でもWAV録音"),
        QStringLiteral("　CD_VolSetレポート作成日時：26/12/07 月 01:30:05 "),
        dashes,
        QStringLiteral("0:ＣＤドライブユニット番号取得に失敗しました。"),
        QStringLiteral("1:ＣＤドライブユニット番号取得に失敗しました。"),
        QStringLiteral("E番のＣＤドライブ番号には、データが設定されていないので飛ばします。"),
        QStringLiteral("F番のＣＤドライブ番号のデータサイズが不正です。強制的に補正します"),
        QStringLiteral("F番のＣＤドライブのボリュームをＯＮに変更しました。"),
        dashes,
        QStringLiteral("5台中、2台のＣＤドライブのユニット番号取得に失敗しました。"),
        dashes,
        QStringLiteral("5台中、1台のＣＤドライブのボリュームをＯＮに変更しました。"),
        QStringLiteral("お疲れさま☆☆☆"),
    };
    const QDateTime now(QDate(2026, 12, 7), QTime(1, 30, 5));
    EXPECT_EQ(cdRepairReport(QStringLiteral("SONDEX何でもWAV録音"), now, plan.lines), expected);
    EXPECT_EQ(
        plan.messages,
        (QStringList{
            QStringLiteral("5台中、2台のＣＤドライブのユニット番号取得に失敗しました。"),
            QStringLiteral(
                "5台中、1台のＣＤドライブのボリュームをＯＮに変更しました。\nお疲れさま☆☆☆")}));
    EXPECT_EQ(plan.toStore, QList<QChar>{QChar(u'F')});
}

TEST(CdVolumeRepair, NothingToRepairWithoutUnits) {
    const CdRepairPlan plan = planCdVolumeRepair({});
    EXPECT_TRUE(plan.noUnits);
    EXPECT_EQ(plan.messages,
              QStringList{QStringLiteral("ＣＤドライブが存在しないので終了します。")});
    EXPECT_TRUE(plan.lines.isEmpty());
}
