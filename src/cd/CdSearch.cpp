#include "cd/CdSearch.h"

#include "cd/CdCheckResults.h"
#include "cd/CdDeviceAccess.h"
#include "cd/CdDriveSelection.h"
#include "cd/CdEntry.h"
#include "cd/CdLists.h"
#include "cd/CdPrompts.h"
#include "core/DeviceCommand.h"
#include "core/LogLines.h"
#include "core/MciChannel.h"
#include "core/RecorderFlags.h"
#include "platform/ListFile.h"
#include "platform/cd/CdUnits.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace sondex {

namespace {

const QString kReportFile = QStringLiteral("CD$$$$.TXT");
constexpr qsizetype kRuleLength = 40;
const QString kTwoBlanks = QStringLiteral("  ");

const QString kNoDrive = QStringLiteral("再生エラー： CDドライブがありません・・・");
const QString kNothingFound = QStringLiteral("再生エラー：　再生対象ＣＤがありません・・・");
const QString kBrokenOff = QStringLiteral("中断ボタンが押されました。\n強制終了します。");
const QString kReportFailed = QStringLiteral("音楽CD一覧ｴﾗｰ：メモリーが確保できません");

QString searchError(const QString& driveLabel, const QString& why) {
    return QStringLiteral("サーチエラー： [") + driveLabel + QStringLiteral("]ドライブ\n") + why;
}

QString tooManyUnits(const QString& driveLabel) {
    return searchError(driveLabel, QStringLiteral("９台目のＣＤをサーチしようとしています。\n"
                                                  "音楽ＣＤは、８台までしか対応していません。\n"
                                                  "強制終了します。"));
}

}  // namespace

CdSearch::CdSearch(MciChannel& channel, CdDeviceAccess& access, CdDriveSelection& drives,
                   CdLists& lists, CdPrompts& prompts, RecorderFlags& flags, QString programFolder,
                   Hooks hooks, QObject* parent)
    : QObject(parent),
      channel_(channel),
      access_(access),
      drives_(drives),
      lists_(lists),
      prompts_(prompts),
      flags_(flags),
      programFolder_(std::move(programFolder)),
      hooks_(std::move(hooks)) {
    if (!hooks_.processEvents) hooks_.processEvents = [] {};
    if (!hooks_.busyCursor) hooks_.busyCursor = [](bool) {};
    if (!hooks_.showText) hooks_.showText = [](const QString&) { return false; };
    if (!hooks_.focusSearchList) hooks_.focusSearchList = [] {};
}

QString CdSearch::reportPath() const {
    return QDir(programFolder_).filePath(kReportFile);
}

void CdSearch::setSearching(bool on) {
    searching_ = on;
    emit searchingChanged(on);
}

// The ＯＫ/中 断 boxes of a search: 中 断 stops the search at its next step.
void CdSearch::askToGoOn(const QString& text) {
    if (prompts_.abortableMessage(text, 0) == BoxAnswer::Abort) flags_.breakOff = true;
}

void CdSearch::run(Scope scope, Unit unit) {
    // The commands are hidden while a search runs, but the device lets
    // pending events run between its commands.
    if (searching_) return;
    if (drives_.count() == 0) {
        askToGoOn(kNoDrive);
        return;
    }
    hooks_.busyCursor(true);
    setSearching(true);
    const bool allCds = scope == Scope::AllCds;
    const int startUnit = drives_.selectedIndex();
    if (allCds) flags_.breakOff = false;
    lists_.clearSearch();
    QStringList report;

    if (allCds) {
        for (int index = 0; index < drives_.count(); ++index) {
            if (index == kMostUnits) {
                prompts_.timedMessage(tooManyUnits(cd::driveLabel(drives_.units()[index].letter)),
                                      0);
                break;
            }
            searchUnit(index, scope, unit, report);
            // Also after a unit that failed: its box's 中 断 ends the search there.
            if (flags_.breakOff) {
                prompts_.timedMessage(kBrokenOff, 0);
                break;
            }
        }
    } else if (!searchUnit(startUnit, scope, unit, report)) {
        setSearching(false);
        hooks_.busyCursor(false);
        return;
    }

    if (!report.isEmpty()) writeReport(report, unit);
    setSearching(false);
    if (allCds) {
        if (lists_.search().isEmpty()) {
            askToGoOn(kNothingFound);
            hooks_.busyCursor(false);
            return;
        }
        drives_.select(startUnit);
        followSelection(access_, drives_);
    }
    lists_.useAsSelection(CdLists::Source::Search, hooks_.searchListCaption);
    hooks_.focusSearchList();
    hooks_.busyCursor(false);
}

// One unit: its entries go to the search list and its lines to the report.
// False when a one-CD search must end without a result.
bool CdSearch::searchUnit(int index, Scope scope, Unit unit, QStringList& report) {
    hooks_.processEvents();
    drives_.select(index);
    followSelection(access_, drives_);
    const QChar letter = drives_.units()[index].letter;
    const QString problem = access_.CheckUntilPlayable(
        false, scope == Scope::OneCd ? cdcheck::kAbortForced : cdcheck::kAbortPressAgain);
    if (!problem.isEmpty()) {
        const QString text = searchError(access_.driveLabel(), problem);
        if (scope == Scope::OneCd) {
            prompts_.timedMessage(text, 0);
            return false;
        }
        // Data discs are common in a changer: they are no error of the search.
        if (problem != cdcheck::kNotAudioCd) askToGoOn(text);
        return true;
    }

    CdDisc& disc = access_.disc();
    disc.volumeLabel = access_.CdVolumeLabel(letter);
    access_.ReadDiscTitles();
    const bool opened = channel_.SendCdWait(QStringLiteral("open cdaudio") + access_.cdElement() +
                                            QStringLiteral(" alias ") + aliasName(Alias::Cd)) == 0;
    if (opened) channel_.SendCdWait(deviceCommand(u"set", Alias::Cd, u"time format msf"));
    if (unit == Unit::PerTrack)
        listTracks(letter, opened, report);
    else
        listDisc(letter, report);
    if (opened) {
        channel_.SendCdWait(deviceCommand(u"stop", Alias::Cd));
        channel_.SendCdWait(deviceCommand(u"close", Alias::Cd));
    }
    return true;
}

void CdSearch::listTracks(QChar letter, bool opened, QStringList& report) {
    const int count = access_.disc().trackCount;
    for (int track = access_.disc().firstTrack; track <= count; ++track) {
        const QString entry = cdentry::make(letter, track);
        lists_.appendSearch(entry);
        access_.ReadDiscTitles(track);
        QString line = entry;
        // The times need the open device; without it the line still names the track.
        if (opened) line += kTwoBlanks + access_.GetTrackTimes(track, count);
        report.append(line + kTwoBlanks + access_.DiscSummary());
    }
}

void CdSearch::listDisc(QChar letter, QStringList& report) {
    const CdDisc& disc = access_.disc();
    const QString length = channel_.SendCdWait(deviceCommand(u"status", Alias::Cd, u"length")) == 0
                               ? channel_.replySlot(Alias::Cd).trimmed()
                               : QString();
    const QString entry = cdentry::make(letter, cdentry::kWholeDisc);
    lists_.appendSearch(entry);
    QString line = entry + kTwoBlanks + QString::number(disc.firstTrack) + u'-' +
                   QString::number(disc.trackCount) + kTwoBlanks + length + kTwoBlanks +
                   QStringLiteral("ＣＤ番号：") + disc.identity + u' ' + disc.volumeLabel;
    const QString titles = disc.title + kTwoBlanks + disc.artist;
    if (titles != u"--  --") line += kTwoBlanks + titles;
    report.append(line);
}

bool CdSearch::writeReport(const QStringList& lines, Unit unit) {
    const QString path = reportPath();
    const bool shown =
        listfile::write(path, cdSearchReport(lines, unit, QDateTime::currentDateTime())) &&
        hooks_.showText(path);
    if (!shown) prompts_.timedMessage(kReportFailed, 0);
    return shown;
}

void CdSearch::showReport() {
    const QString path = reportPath();
    if (!QFileInfo(path).isFile()) return;
    if (!hooks_.showText(path)) prompts_.timedMessage(kReportFailed, 0);
}

QStringList cdSearchReport(const QStringList& entryLines, CdSearch::Unit unit,
                           const QDateTime& now) {
    const QString rule(kRuleLength, u'-');
    QStringList report{
        QStringLiteral("音楽ＣＤデータ一覧　") + loglines::timestamp(now),
        QString::number(entryLines.size()) +
            (unit == CdSearch::Unit::PerTrack ? QStringLiteral("トラック") : QStringLiteral("CD")) +
            QStringLiteral(" あります。"),
        rule};
    report += entryLines;
    report.append(rule);
    return report;
}

}  // namespace sondex
