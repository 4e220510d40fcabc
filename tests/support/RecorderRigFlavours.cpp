// What the CD and the music takes bring to the recorder rig.
#include "support/RecorderRig.h"

#include "CdToneImage.h"
#include "app/MainWindow.h"
#include "core/Identity.h"
#include "platform/AppPaths.h"
#include "platform/IniSettingsStore.h"
#include "support/FileBytes.h"
#include "support/pulse/PatternPlayer.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace sondex::test {

namespace {

bool tick(QCheckBox* box) {
    if (!box) return false;
    if (!box->isChecked()) box->click();
    return box->isChecked();
}

QString listFile(const char* suffix) {
    const Identity identity = Identity::forThisUser();
    return identity.ProgramFolder + identity.ProductKey + QString::fromLatin1(suffix);
}

}  // namespace

CdSequenceRig::CdSequenceRig(int trackSeconds, QString recorderBinary)
    : RecorderRig(std::move(recorderBinary)) {
    for (quint32 seed : {101u, 202u, 303u})
        tracks_.push_back(makePattern(qint64(trackSeconds) * 44100, seed));
}

bool CdSequenceRig::prepareMaterial() {
    const QString disc =
        mci::test::writeTracksImage(scratchFolder(), QStringLiteral("disc"), tracks_);
    mci::test::writeCdDrives(paths::configFolder(), u'E', disc);
    const QString list = listFile("M0.LIS");
    return writeBytes(list, " E:1\r\n E:2\r\n E:3\r\n") ||
           fail(QStringLiteral("cannot write ") + list);
}

bool CdSequenceRig::armRecording(MainWindow& window) {
    return tick(window.findChild<QCheckBox*>(QStringLiteral("CheckBox1"))) ||
           fail(QStringLiteral("CheckBox1 does not tick"));
}

MusicTakeRig::MusicTakeRig(QString recorderBinary, QStringList registered, bool startWithButton)
    : RecorderRig(std::move(recorderBinary)),
      registered_(std::move(registered)),
      startWithButton_(startWithButton) {}

bool MusicTakeRig::prepareMaterial() {
    QByteArray lines;
    for (const QString& path : registered_) lines += path.toUtf8() + "\r\n";
    const QString list = listFile("MI.LIS");
    return writeBytes(list, lines) || fail(QStringLiteral("cannot write ") + list);
}

bool MusicTakeRig::armRecording(MainWindow& window) {
    // "録音" of the music area can be ticked only while the area is open.
    window.K1Click();
    return tick(window.findChild<QCheckBox*>(QStringLiteral("MIDSAVE"))) ||
           fail(QStringLiteral("MIDSAVE does not tick"));
}

void MusicTakeRig::afterHandOver(MainWindow& window) {
    if (!startWithButton_) return;
    if (auto* start = window.findChild<QPushButton*>(QStringLiteral("Button24"))) start->click();
}

TimerTakeRig::TimerTakeRig(int secondsLeft, QString recorderBinary, int closeAfterMs, QStringList entries)
    : RecorderRig(std::move(recorderBinary)),
      // An entry of its own day, away from midnight.
      entryEnd_(QDate::currentDate(), QTime(8, 1)),
      secondsLeft_(secondsLeft),
      closeAfterMs_(closeAfterMs),
      entries_(std::move(entries)) {}

bool TimerTakeRig::armRecording(MainWindow& window) {
    if (closeAfterMs_ >= 0) QTimer::singleShot(closeAfterMs_, &window, [&window] { window.requestClose(); });
    return true;
}

bool TimerTakeRig::prepareMaterial() {
    const Identity identity = Identity::forThisUser();
    const QString day = identity.ProgramFolder + QStringLiteral("DAY000.day");
    IniSettingsStore store(paths::settingsFile());
    if (!store.writeTexts({{QStringLiteral("JK"), QStringLiteral("実行中")},
                           {QStringLiteral("TM_Mode"), QStringLiteral("0")},
                           {QStringLiteral("TDAY_S"), QStringLiteral("DAY000")},
                           // Unattended, the clock dialog of the start-up stays open: nobody is there.
                           {QStringLiteral("SetNowTime_Select"), closeAfterMs_ < 0 ? u"1"_qs : u"0"_qs},
                           {QStringLiteral("REC_MAX"), QStringLiteral("0")}}))
        return fail(QStringLiteral("cannot write ") + store.path());
    return writeBytes(day, entries_.join(u"\r\n").toUtf8() + "\r\n") || fail(QStringLiteral("cannot write ") + day);
}

std::function<QDateTime()> TimerTakeRig::timeOfDay() const {
    // Built when the window is: the entry has secondsLeft_ to run from then on.
    auto since = std::make_shared<QElapsedTimer>();
    since->start();
    const QDateTime start = entryEnd_.addSecs(-secondsLeft_);
    return [since, start] { return start.addMSecs(since->elapsed()); };
}

}  // namespace sondex::test
