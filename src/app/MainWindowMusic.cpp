// The music list: adding, deleting and moving files, the file-name-only view,
// and what the music panel shows of the list.
#include "app/MainWindow.h"

#include "app/WindowPrompts.h"
#include "core/Settings.h"
#include "music/MusicPanel.h"
#include "music/MusicRecording.h"
#include "platform/AppPaths.h"
#include "platform/DesktopServices.h"
#include "recording/FormatCommands.h"
#include "core/RecordingLog.h"
#include "ui/controls/ClickWatch.h"
#include "ui/controls/SpinButton.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace sondex {

namespace {

QList<int> selectedRows(const QListWidget& list) {
    QList<int> rows;
    for (const QModelIndex& index : list.selectionModel()->selectedRows()) rows.append(index.row());
    return rows;
}

}  // namespace

void MainWindow::buildMusicList() {
    const QString listFile = identity_.ProgramFolder + identity_.ProductKey + QStringLiteral("MI.LIS");
    MusicRecording::Hooks hooks;
    hooks.processEvents = [] { QCoreApplication::processEvents(); };
    hooks.showLog = [this] { MKIROKUClick(LogSender::RecordingEnd); };
    hooks.addFiles = [this] { Button31Click(); };
    hooks.beep = [this] { desktop_.beep(); };
    hooks.singleMode = [this] { return menus_.main.MTANDOKU->isChecked(); };
    hooks.openMusicArea = [this] {
        if (runActive(RecordingKind::Cd)) return false;
        K1Click();
        return true;
    };
    musicRec_ = new MusicRecording(channel_, *session_, settings_, *prompts_, flags_, listFile, std::move(hooks), this);
    connect(musicRec_, &MusicRecording::changed, this, &MainWindow::presentMusicPlay);
    connect(music_->MIDSAVE, &QCheckBox::toggled, this, [this](bool on) { musicRec_->setRecordArmed(on); });
    bindMusicPlayCommands();
    MusicList& list = musicRec_->list();
    connect(&list, &MusicList::changed, this, &MainWindow::presentMusicList);
    connect(music_->Button31, &QPushButton::clicked, this, &MainWindow::Button31Click);
    connect(music_->Button32, &QPushButton::clicked, this, [this] {
        musicRec_->list().remove(selectedRows(*musicListInView()));
        musicListInView()->setFocus();
    });
    for (const auto& [button, direction] : {std::pair{music_->Button33, -1}, std::pair{music_->Button34, 1}}) {
        connect(button, &QPushButton::clicked, this, [this, direction] {
            QListWidget& view = *musicListInView();
            const QList<int> selected = musicRec_->list().move(selectedRows(view), direction);
            for (const int row : selected) view.item(row)->setSelected(true);
        });
    }
    for (QListWidget* view : {music_->ListBox3, music_->ListBoxFNF}) {
        connect(view, &QListWidget::currentRowChanged, this, [this](int row) { musicRec_->list().setCurrent(row); });
    }
    connect(menus_.main.MSSN, &QAction::toggled, this, [this] { presentMusicList(); });
    buildRename();
}

void MainWindow::bindMusicPlayCommands() {
    MusicPanel& p = *music_;
    MusicRecording* m = musicRec_;
    const std::pair<QPushButton*, void (MusicRecording::*)()> commands[] = {
        {p.Button24, &MusicRecording::Button24Click}, {p.Button25, &MusicRecording::Button25Click},
        {p.Button29, &MusicRecording::Button29Click}, {p.Button26, &MusicRecording::Button26Click},
        {p.Button27, &MusicRecording::Button27Click}, {p.Button28, &MusicRecording::Button28Click},
        {p.ButtonMIDIPOSINI, &MusicRecording::ButtonMIDIPOSINIClick}};
    for (const auto& [button, handler] : commands) connect(button, &QPushButton::clicked, m, handler);
    ClickWatch::onClick(p.Label14, [m] { m->Button25Click(); });
    const std::pair<SpinButton*, int> spins[] = {{p.SpinButton4, 60000}, {p.SpinButton5, 1000}, {p.SpinButton6, 100}};
    for (const auto& [spin, step] : spins) {
        connect(spin, &SpinButton::upClick, m, [m, step] { m->moveResumePosition(step); });
        connect(spin, &SpinButton::downClick, m, [m, step] { m->moveResumePosition(-step); });
    }
}

void MainWindow::presentMusicPlay() {
    const MusicRecording& m = *musicRec_;
    const MusicPlayLabels& labels = m.labels();
    MusicPanel& p = *music_;
    p.Panel5->setVisible(m.isPlaying());
    p.Button24->setVisible(!m.isPlaying());
    p.Button25->setVisible(!m.isPaused());
    p.PanelMIDIPOS->setVisible(m.isPaused());
    p.Label14->setText(labels.position);
    p.Label13->setText(labels.end);
    p.PSTBar2_0->setText(labels.rate);
    p.PSTBar2_1->setText(labels.bits);
    p.PSTBar2_2->setText(labels.channels);
    p.PSTBar2_3->setText(labels.fileName.isEmpty() ? QString() : u' ' + labels.fileName);
    QPalette palette = p.MIDSAVE->palette();
    palette.setColor(QPalette::Window, m.isRecordArmed() ? format_->indicatorColour() : p.palette().color(QPalette::Window));
    p.MIDSAVE->setPalette(palette);
    p.MIDSAVE->setAutoFillBackground(m.isRecordArmed());
    const int current = musicRec_->list().current();
    QListWidget* view = musicListInView();
    if (current >= 0 && view->currentRow() != current) {
        const QSignalBlocker quiet(view);
        view->setCurrentRow(current, QItemSelectionModel::ClearAndSelect);
    }
}

QListWidget* MainWindow::musicListInView() const {
    return settings_.isOn(Setting::FileOnly) ? music_->ListBoxFNF : music_->ListBox3;
}

void MainWindow::Button31Click() {
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("OpenDialogMIDI"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.setNameFilters({QStringLiteral("ＭＩＤＩ/ＲＭＩ ファイル (*.MID *.RMI *.mid *.rmi)"),
                           QStringLiteral("ＡＩＦ*/ＡＵ/ＳＮＤ ファイル (*.AIF* *.AU *.SND *.aif* *.au *.snd)"),
                           QStringLiteral("ＷＡＶＥ ファイル (*.WAV *.wav)"), QStringLiteral("ＴＭＰ ファイル (*.TMP *.tmp)"),
                           QStringLiteral("ＭＩＤＩ ファイル (*.MID *.mid)"), QStringLiteral("ＲＭＩ ファイル (*.RMI *.rmi)"),
                           QStringLiteral("ＡＬＬ files (*)")});
    dialog.setDirectory(paths::withoutTrailingSlash(settings_.text(Setting::LoadPath)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        desktop_.beep();
        MKBoxDlg1_->TMMsgBox(QStringLiteral("参照を、中止しました・・・"), BoxAnswer::Ok);
        return;
    }
    MusicList& list = musicRec_->list();
    list.append(dialog.selectedFiles());
    settings_.setText(Setting::LoadPath, QFileInfo(list.paths().constLast()).absolutePath() + u'/');
}

void MainWindow::presentMusicList() {
    const MusicList& list = musicRec_->list();
    const bool namesOnly = settings_.isOn(Setting::FileOnly);
    // Refilling the lists moves their current rows; that is no choice of the user's.
    const QSignalBlocker quietPaths(music_->ListBox3);
    const QSignalBlocker quietNames(music_->ListBoxFNF);
    music_->ListBox3->clear();
    music_->ListBox3->addItems(list.paths());
    music_->ListBoxFNF->clear();
    if (namesOnly) music_->ListBoxFNF->addItems(list.names());
    music_->ListBoxFNF->setVisible(namesOnly);
    music_->ListBox3->setVisible(!namesOnly);
    if (list.current() >= 0) musicListInView()->setCurrentRow(list.current(), QItemSelectionModel::ClearAndSelect);
    music_->Label10->setText(list.countText());
}

}  // namespace sondex
