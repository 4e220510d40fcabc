#pragma once

#include <QChar>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QDateTime;

namespace sondex {

class CdDeviceAccess;
class CdDriveSelection;
class CdLists;
class CdPrompts;
class MciChannel;
struct RecorderFlags;

// The CD searches: the disc in the chosen unit (one CD) or in every unit up
// to the eighth (all CDs) is checked and its tracks (or the whole disc, "@")
// become the search list, which the selection list then copies; the titles
// and times go into the report file "CD$$$$.TXT", shown in the text viewer.
class CdSearch : public QObject {
    Q_OBJECT
public:
    enum class Scope { AllCds, OneCd };
    enum class Unit { PerTrack, PerDisc };

    struct Hooks {
        std::function<void()> processEvents;
        std::function<void(bool on)> busyCursor;
        // Shows a text file in the text viewer; false when it could not.
        std::function<bool(const QString& path)> showText;
        // The search ended with entries: the search list takes the focus when the window is
        // visible.
        std::function<void()> focusSearchList;
        // The caption of `Button11`, for `Label7`.
        QString searchListCaption = QStringLiteral("ｻｰﾁﾘｽﾄ");
    };

    CdSearch(MciChannel& channel, CdDeviceAccess& access, CdDriveSelection& drives, CdLists& lists,
             CdPrompts& prompts, RecorderFlags& flags, QString programFolder, Hooks hooks,
             QObject* parent = nullptr);

    // `Button8`/`TRALLCD`/`PCD_ALL_TR`/`PCD_ALL_CD` and `Button9`/`TRCD1`/`PCD_1_TR`/`PCD_1_CD`.
    void run(Scope scope, Unit unit);
    // `PLBTIchiran`: the report file again; nothing when there is none.
    void showReport();

    bool isSearching() const { return searching_; }
    QString reportPath() const;

    static constexpr int kMostUnits = 8;

signals:
    // A search began or ended: the search buttons and `Button12` hide and the
    // commands `TRALLCD`, `TRCD1` and `TR0` are disabled while it runs.
    void searchingChanged(bool searching);

private:
    bool searchUnit(int index, Scope scope, Unit unit, QStringList& report);
    void listTracks(QChar letter, bool opened, QStringList& report);
    void listDisc(QChar letter, QStringList& report);
    void askToGoOn(const QString& text);
    void setSearching(bool on);
    bool writeReport(const QStringList& lines, Unit unit);

    MciChannel& channel_;
    CdDeviceAccess& access_;
    CdDriveSelection& drives_;
    CdLists& lists_;
    CdPrompts& prompts_;
    RecorderFlags& flags_;
    QString programFolder_;
    Hooks hooks_;
    bool searching_ = false;
};

// The report: the heading with the date and time, the count line, the
// entry lines between two rules of 40 "-".
QStringList cdSearchReport(const QStringList& entryLines, CdSearch::Unit unit,
                           const QDateTime& now);

}  // namespace sondex
