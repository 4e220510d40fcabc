// The window's geometry and colour rules.
#include "app/MainWindow.h"

#include "ui/Commands.h"
#include "core/Logging.h"
#include "core/Settings.h"
#include "cd/CdControlPanel.h"
#include "cd/CdListPanel.h"
#include "ui/controls/WorkArea.h"
#include "music/MusicPanel.h"
#include "recording/ManualPanel.h"
#include "timer/TimerPanel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

namespace sondex {

namespace {

constexpr int kMusicAreaTop = 152;
constexpr int kLeftOffset = 4;
constexpr int kButton23Height = 24;

// Below the bottom component the client area keeps a margin equal to ListBox1's left offset.
int listMargin(const CdListPanel& list) { return list.ListBox1->x(); }

QRect workArea(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

void MainWindow::placeWindow() {
    const QRect work = workArea(*this);
    if (work.isEmpty()) return;
    QPoint topLeft = work.center() - QPoint(width() / 2, height() / 2);
    if (const auto stored = parseWindowPosition(settings_.text(Setting::FP)))
        topLeft = QPoint(stored->first, stored->second);
    move(clampIntoWorkArea(topLeft, frameGeometry().size(), work));
}

int MainWindow::compactClientHeight() const {
    const QFrame* panel1 = cd_->Panel1;
    return cd_->y() + panel1->y() + panel1->height() + listMargin(*cdList_) - 1;
}

int MainWindow::fullClientHeight() const {
    const QListWidget* list = cdList_->ListBox1;
    return cdList_->y() + list->y() + list->height() + listMargin(*cdList_);
}

bool MainWindow::isCompact() const {
    const QFrame* panel1 = cd_->Panel1;
    return client_->height() < cd_->y() + panel1->y() + panel1->height() + listMargin(*cdList_);
}

void MainWindow::setClientHeight(int height) {
    resize(width(), this->height() - client_->height() + height);
}

void MainWindow::pullIntoWorkArea() {
    const QRect work = workArea(*this);
    if (work.isEmpty()) return;
    const QRect frame = frameGeometry();
    const QPoint inside = clampIntoWorkArea(frame.topLeft(), frame.size(), work);
    if (inside != frame.topLeft()) move(pos() + (inside - frame.topLeft()));
}

void MainWindow::Button7Click() {
    setClientHeight(isCompact() ? fullClientHeight() : compactClientHeight());
    pullIntoWorkArea();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The frame is known only once the window is shown; keep it inside the work area.
    if (!event->spontaneous()) pullIntoWorkArea();
    qCInfo(lcStartup) << "window shown";
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layoutMusicArea();
}

void MainWindow::layoutMusicArea() {
    if (!Panel2_) return;
    // Up to the width it was made with, the area is as wide as the manual panel;
    // a wider window gives it the whole width less its left offset on both sides.
    const int width = client_->width() <= creationClientWidth_ ? manual_->width()
                                                               : client_->width() - 2 * kLeftOffset;
    const int height = std::max(client_->height() - kMusicAreaTop - kLeftOffset, kButton23Height);
    Panel2_->setGeometry(kLeftOffset, kMusicAreaTop, width, height);
    Button23_->setGeometry(0, 0, width, kButton23Height);
    manual_->move(0, 0);
    music_->setGeometry(0, kButton23Height + 2, width, music_->height());
    timer_->setGeometry(music_->geometry());
    if (PanelOPEN_) PanelOPEN_->setGeometry(client_->rect());
}

QColor MainWindow::backgroundColour() const {
    if (menus_.main.MF_AUTO_OFF->isChecked()) return QColor(255, 0, 0);
    const QPalette palette = QApplication::palette();
    const QColor window = palette.color(QPalette::Base);
    return window == QColor(Qt::black) ? palette.color(QPalette::Button) : window;
}

QColor MainWindow::textColour() const { return QApplication::palette().color(QPalette::WindowText); }

bool MainWindow::toolTipsShown() const { return settings_.isOn(Setting::minihelp); }

void MainWindow::applyWindowColour() {
    QPalette p = palette();
    const QColor colour = backgroundColour();
    if (p.color(QPalette::Window) == colour) return;
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    applyWindowColour();
    QMainWindow::paintEvent(event);
}

void MainWindow::applyListColours() {
    const QColor colour = settings_.isOn(Setting::BackColor) ? QApplication::palette().color(QPalette::Base)
                                                             : backgroundColour();
    const QList<QWidget*> lists{cdList_->ListBox1, cdList_->ListBox2, cd_->ComboBox1, cdList_->ComboBox2,
                                music_->ListBox3,  music_->ListBoxFNF, timer_->ListBox_JK};
    for (QWidget* list : lists) {
        QPalette p = list->palette();
        p.setColor(QPalette::Base, colour);
        list->setPalette(p);
    }
}

void MainWindow::applyTimeLabelColours() {
    const QPalette time = cd_->Label5->palette();
    QPalette stop = cd_->Label1->palette();
    QPalette musicEnd = music_->Label13->palette();
    if (settings_.number(Setting::INTORO) != 0) {
        // The intro shows inverted: the time label's colours swapped.
        stop.setColor(QPalette::Window, time.color(QPalette::WindowText));
        stop.setColor(QPalette::WindowText, time.color(QPalette::Window));
        musicEnd = stop;
    } else {
        musicEnd = QApplication::palette();
        if (settings_.number(Setting::Track_END_PLUS) != 0) {
            stop.setColor(QPalette::Window, Qt::blue);
            stop.setColor(QPalette::WindowText, Qt::white);
        } else {
            stop.setColor(QPalette::Window, backgroundColour());
            stop.setColor(QPalette::WindowText, time.color(QPalette::WindowText));
        }
    }
    cd_->Label1->setPalette(stop);
    music_->Label13->setPalette(musicEnd);
}

void MainWindow::applyRepeatColours() {
    // A repeat that is on is shown in yellow, so it is not missed.
    const std::pair<QCheckBox*, Setting> repeats[] = {{cd_->CheckBox2, Setting::REPEAT},
                                                      {music_->MIDREP, Setting::REPEATMIDI}};
    for (const auto& [box, setting] : repeats) {
        QPalette p = box->palette();
        p.setColor(QPalette::Window, settings_.isOn(setting) ? QColor(Qt::yellow)
                                                             : box->parentWidget()->palette().color(QPalette::Window));
        box->setPalette(p);
    }
}

}  // namespace sondex
