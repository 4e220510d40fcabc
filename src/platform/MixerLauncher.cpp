#include "platform/MixerLauncher.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace sondex {

namespace {

QString pavucontrolPath() {
    return QStandardPaths::findExecutable(QString::fromLatin1(kMixerPackage));
}

// pavucontrol numbers its pages from 1, in the order it shows them.
int tabNumber(MixerLauncher::Tab tab) {
    switch (tab) {
        case MixerLauncher::Tab::Playback:
            return 1;
        case MixerLauncher::Tab::Recording:
            return 2;
        case MixerLauncher::Tab::OutputDevices:
            return 3;
        case MixerLauncher::Tab::InputDevices:
            return 4;
        case MixerLauncher::Tab::Configuration:
            return 5;
    }
    return 1;
}

}  // namespace

bool PavucontrolLauncher::isInstalled() const {
    return !pavucontrolPath().isEmpty();
}

MixerLauncher::Launch PavucontrolLauncher::open(Tab tab, bool large) {
    const QString program = pavucontrolPath();
    if (program.isEmpty()) return Launch::Missing;
    QStringList arguments{QStringLiteral("--tab=%1").arg(tabNumber(tab))};
    if (large) arguments.append(QStringLiteral("--maximize"));
    return QProcess::startDetached(program, arguments) ? Launch::Started : Launch::Failed;
}

MixerLauncher& systemMixer() {
    static PavucontrolLauncher mixer;
    return mixer;
}

}  // namespace sondex
