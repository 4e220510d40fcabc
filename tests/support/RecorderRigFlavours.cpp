// What the CD and the music takes bring to the recorder rig.
#include "support/RecorderRig.h"

#include "CdToneImage.h"
#include "app/MainWindow.h"
#include "core/Identity.h"
#include "platform/AppPaths.h"
#include "support/FileBytes.h"
#include "support/pulse/PatternPlayer.h"

#include <QCheckBox>
#include <QPushButton>

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

}  // namespace sondex::test
