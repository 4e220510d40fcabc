#include "cd/CdVolumeRepair.h"

#include "core/LogLines.h"

namespace sondex {

namespace {

QString separator() {
    return QString(61, u'-');
}

bool louderThanFull(const std::optional<cd::StreamVolume>& v) {
    return v && v->hasVolume && v->highest > cd::kFullVolume;
}

bool quieterThanFull(const std::optional<cd::StreamVolume>& v) {
    return v && (v->muted || (v->hasVolume && v->lowest < cd::kFullVolume));
}

}  // namespace

CdRepairPlan planCdVolumeRepair(const CdRepairFindings& findings) {
    CdRepairPlan plan;
    const int count = findings.unreadableLines + int(findings.units.size());
    if (count == 0) {
        plan.noUnits = true;
        plan.messages << QStringLiteral("ＣＤドライブが存在しないので終了します。");
        return plan;
    }

    // The lines CDDRIVES.INI could not give a unit for come first, numbered as they come.
    for (int i = 0; i < findings.unreadableLines; ++i)
        plan.lines << QString::number(i) +
                          QStringLiteral(":ＣＤドライブユニット番号取得に失敗しました。");

    int modified = 0;
    for (const CdUnitSound& unit : findings.units) {
        const QString name = QString(unit.letter);
        if (!unit.present) {
            plan.lines
                << name + QStringLiteral(
                              "番のＣＤドライブ番号には、データが設定されていないので飛ばします。");
            continue;
        }
        bool changed = false;
        if (louderThanFull(unit.stored) || louderThanFull(unit.playing)) {
            plan.lines << name + QStringLiteral("番のＣＤドライブ番号のデータサイズが不正です。") +
                              QStringLiteral("強制的に補正します");
            changed = true;
        }
        // A muted default sink silences this unit as well, so it counts here too.
        if (quieterThanFull(unit.stored) || quieterThanFull(unit.playing) ||
            findings.defaultSinkMuted) {
            plan.lines << name +
                              QStringLiteral("番のＣＤドライブのボリュームをＯＮに変更しました。");
            changed = true;
        }
        if (!changed) continue;
        ++modified;
        if (louderThanFull(unit.stored) || quieterThanFull(unit.stored))
            plan.toStore << unit.letter;
        if (louderThanFull(unit.playing) || quieterThanFull(unit.playing))
            plan.toSetPlaying << unit.letter;
    }
    plan.unmuteDefaultSink = findings.defaultSinkMuted && modified > 0;

    const QString units = QString::number(count);
    const QString thanks = QStringLiteral("お疲れさま☆☆☆");
    if (findings.unreadableLines > 0) {
        const QString failed = units + QStringLiteral("台中、") +
                               QString::number(findings.unreadableLines) +
                               QStringLiteral("台のＣＤドライブのユニット番号取得に失敗しました。");
        plan.lines << separator() << failed;
        plan.messages << failed;
    }
    plan.lines << separator();
    if (modified == 0) {
        const QStringList texts{units + QStringLiteral("台のＣＤドライブかありますが、"),
                                QStringLiteral("ボリュームを変更する必要はありませんでした。"),
                                thanks};
        plan.messages << texts.join(u'\n');
        plan.lines << texts;
    } else {
        const QStringList texts{
            units + QStringLiteral("台中、") + QString::number(modified) +
                QStringLiteral("台のＣＤドライブのボリュームをＯＮに変更しました。"),
            thanks};
        plan.messages << texts.join(u'\n');
        plan.lines << texts;
    }
    return plan;
}

QStringList cdRepairReport(const QString& programTitle, const QDateTime& now,
                           const QStringList& lines) {
    return QStringList{programTitle,
                       QStringLiteral("　CD_VolSetレポート作成日時：") + loglines::timestamp(now),
                       separator()} +
           lines;
}

}  // namespace sondex
