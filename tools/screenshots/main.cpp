// Renders the main window in its states and one message box of each kind to
// PNG files, for the documentation. Runs on the offscreen platform in a home
// of its own, so it needs no display and touches no user settings.
#include "core/Identity.h"
#include "app/MainWindow.h"
#include "core/Settings.h"
#include "ui/dialogs/TMKBoxDlg.h"
#include "ui/dialogs/TTmSETBoxDlg.h"
#include "platform/DesktopServices.h"
#include "platform/IniSettingsStore.h"
#include "platform/PowerOff.h"
#include "platform/SleepInhibitor.h"
#include "platform/SystemClock.h"
#include "platform/mci/Engine.h"
#include "core/MciChannel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

using namespace sondex;

class NoDesktop final : public DesktopServices {
public:
    bool openUrl(const QUrl&) override { return false; }
    void beep() override {}
};

class NoPowerOff final : public PowerOff {
public:
    Result powerOff() override { return {}; }
};

// Never sets this machine's clock.
class NoClock final : public SystemClock {
public:
    Result setLocalTime(const QDateTime&) override { return {}; }
};

// Takes no lock.
class NoSleepLock final : public SleepInhibitor {
public:
    void hold() override {}
    void release() override {}
    bool isHeld() const override { return false; }
};

bool save(QWidget* widget, const QString& file) {
    const bool ok = widget->grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

// Shows a modal box through `open`, grabs it as soon as it is on screen and closes it.
void grabModal(const QString& file, const std::function<void()>& open) {
    QTimer::singleShot(300, [file] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            save(box, file);
            box->close();
        }
    });
    open();
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    // The first run is skipped: a recording folder is already chosen.
    QDir(home.path()).mkpath(QStringLiteral("rec"));
    for (const char* var : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
        qputenv(var, QFile::encodeName(home.path() + u'/' + QString::fromLatin1(var)));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("SONDEX何でもWAV録音"));
    // Absolute, as the recorder makes its recording folder the current one.
    const QString out = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots")).absolutePath();
    QDir().mkpath(out);

    const Identity identity = Identity::forThisUser();
    IniSettingsStore store(home.path() + QStringLiteral("/SONDEX.ini"));
    store.writeTexts({{QStringLiteral("Version"), QStringLiteral("22")},
                      {QStringLiteral("TEMPALL"), home.path() + QStringLiteral("/rec/")},
                      {QStringLiteral("SetNowTime_Select"), QStringLiteral("0")},
                      {QStringLiteral("REC_MAX"), QStringLiteral("0")}});
    Settings settings(identity.ProgramFolder);
    NoDesktop desktop;
    NoPowerOff powerOff;
    NoClock clock;
    NoSleepLock sleep;
    mci::Engine engine;
    MciChannel channel(engine, [] { QCoreApplication::processEvents(); });
    MainWindow window(identity, settings, store, {desktop, powerOff, channel, clock, sleep});
    window.setWindowTitle(QStringLiteral(" D:- ") + identity.AppTitle);
    window.show();
    QSignalSpy ready(&window, &MainWindow::startupFinished);
    ready.wait(5000);

    save(&window, out + QStringLiteral("/main-full.png"));
    window.Button7Click();
    save(&window, out + QStringLiteral("/main-compact.png"));
    window.K1Click();
    save(&window, out + QStringLiteral("/main-music.png"));
    window.Button23Click();
    save(&window, out + QStringLiteral("/main-manual.png"));
    window.Button22Click();
    window.MO_JKClick();
    save(&window, out + QStringLiteral("/main-timer.png"));

    TMKBoxDlg& box = window.MKBoxDlg1();
    const QString text = QStringLiteral("これより、WAV録音ファイル登録先を選択して戴きます\n"
                                        "たっぷり空きがあるドライブを選択して下さい☆☆☆");
    grabModal(out + QStringLiteral("/box-MsgBox.png"), [&] { box.MsgBox(text); });
    grabModal(out + QStringLiteral("/box-MsgBoxYN.png"), [&] { box.MsgBoxYN(QStringLiteral("録音記録を削除してもよろしいですか？？？")); });
    grabModal(out + QStringLiteral("/box-TMMsgBox.png"), [&] { box.TMMsgBox(text, BoxAnswer::Ok); });
    grabModal(out + QStringLiteral("/box-TMMsgBoxYN.png"), [&] { box.TMMsgBoxYN(QStringLiteral("バージョン番号を削除してもよろしいですか？？？"), BoxAnswer::No); });
    grabModal(out + QStringLiteral("/box-SKMsgBox.png"), [&] { box.SKMsgBox(QStringLiteral("録音を開始しました☆"), BoxAnswer::Ok); });
    grabModal(out + QStringLiteral("/box-ERMsgBox.png"), [&] { box.ERMsgBox(QStringLiteral("録音エラー：\n 録音開始に失敗しました。"), BoxAnswer::Ok); });
    grabModal(out + QStringLiteral("/box-TMMsgBoxCount.png"), [&] { box.TMMsgBoxCount(30, text, BoxAnswer::Ok); });
    grabModal(out + QStringLiteral("/box-ERMsgBoxCount.png"), [&] { box.ERMsgBoxCount(60, QStringLiteral("SONDEXを終了しました。\nこれより、ＷＩＮを終了します。\nお疲れ様☆☆☆"), BoxAnswer::Ok); });

    TTmSETBoxDlg number(window, &window);
    number.setProperty("Msg0", QStringLiteral(" "));
    number.setProperty("Msg1", QStringLiteral("録音buffer時間設定："));
    number.setProperty("Msg2", QStringLiteral(" (2-9秒です。初期値4秒)"));
    number.setProperty("TCount", 6);
    grabModal(out + QStringLiteral("/box-TTMSETBox.png"), [&] { number.Execute(QStringLiteral("録音buffer時間")); });

    // The clock window with its detailed setting open.
    QTimer::singleShot(300, [] {
        if (QWidget* clockBox = QApplication::activeModalWidget()) {
            if (auto* open = clockBox->findChild<QAbstractButton*>(QStringLiteral("Btn_Shosai"))) open->click();
        }
    });
    grabModal(out + QStringLiteral("/box-TJikanBox.png"), [&] { window.showClockDialog(); });
    return 0;
}
