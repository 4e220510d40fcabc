#include "app/MainWindow.h"

#include "app/Identity.h"
#include "app/Logging.h"
#include "app/Settings.h"
#include "platform/SettingsStore.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace sondex {

namespace {
constexpr int kDeferredStartupMs = 300;  // Timer1
}  // namespace

QPoint clampIntoWorkArea(QPoint topLeft, QSize size, const QRect& workArea) {
    int left = std::min(topLeft.x(), workArea.right() + 1 - size.width());
    int top = std::min(topLeft.y(), workArea.bottom() + 1 - size.height());
    left = std::max(left, workArea.left());
    top = std::max(top, workArea.top());
    return {left, top};
}

MainWindow::MainWindow(const Identity& identity, Settings& settings, SettingsStore& store,
                       QWidget* parent)
    : QMainWindow(parent), settings_(settings), store_(store), lastLine_(new QLabel(this)) {
    setObjectName(QStringLiteral("TSONDEX_TAVIK"));
    setWindowTitle(identity.AppTitle);
    lastLine_->setObjectName(QStringLiteral("LabelForwarded"));
    lastLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setCentralWidget(lastLine_);
    resize(420, 160);

    settings_.loadWindowPlacement(store_);
    placeWindow();

    auto* timer1 = new QTimer(this);
    timer1->setObjectName(QStringLiteral("Timer1"));
    timer1->setSingleShot(true);
    timer1->setInterval(kDeferredStartupMs);
    connect(timer1, &QTimer::timeout, this, &MainWindow::deferredStartup);
    timer1->start();
}

void MainWindow::placeWindow() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect work = screen->availableGeometry();
    QPoint topLeft = work.center() - QPoint(width() / 2, height() / 2);
    if (const auto stored = parseWindowPosition(settings_.text(Setting::FP)))
        topLeft = QPoint(stored->first, stored->second);
    move(clampIntoWorkArea(topLeft, frameGeometry().size(), work));
}

void MainWindow::deferredStartup() {
    settings_.loadDeferred(store_);
    startingUp_ = false;
    qCInfo(lcStartup) << "start-up finished";
    emit startupFinished();
}

void MainWindow::onForwardedLine(const QString& line) {
    qCInfo(lcForward).noquote() << "forwarded line:" << line;
    if (line.isEmpty()) {
        // An empty line only brings the window to the front.
        showNormal();
        raise();
        activateWindow();
        return;
    }
    lastLine_->setText(line);
}

void MainWindow::onDeviceNotice(int message, qint64 wParam, qint64 lParam) {
    qCInfo(lcNotice) << "device notice" << message << wParam << lParam;
}

void MainWindow::writeBack() {
    settings_.setText(Setting::FP, QStringLiteral("%1,%2").arg(x()).arg(y()));
    settings_.writeBack(store_);  // a failure is swallowed: the close goes on
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closeDone_ && !startingUp_) writeBack();
    closeDone_ = true;
    event->accept();
}

}  // namespace sondex
