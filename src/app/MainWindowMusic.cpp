// The music list: adding, deleting and moving files, the file-name-only view,
// and what the music panel shows of the list.
#include "app/MainWindow.h"

#include "core/Settings.h"
#include "music/MusicPanel.h"
#include "music/MusicRecording.h"
#include "platform/AppPaths.h"
#include "platform/DesktopServices.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QAbstractItemView>
#include <QCheckBox>
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
    musicRec_ = new MusicRecording(*session_, listFile, this);
    connect(music_->MIDSAVE, &QCheckBox::toggled, this, [this](bool on) { musicRec_->setRecordArmed(on); });
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
