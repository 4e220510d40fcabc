// Renaming the selected files of the music list, one rename window per file;
// the list's lines follow each rename.
#include "app/MainWindow.h"

#include "core/Settings.h"
#include "files/RenameBatch.h"
#include "files/TReNameBoxDlg.h"
#include "music/MusicList.h"
#include "music/MusicPanel.h"
#include "music/MusicRecording.h"
#include "platform/DesktopServices.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QListWidget>

namespace sondex {

namespace {

// The music list as the batch walks it: the selection of the list in view,
// the paths of the list itself.
class MusicRenameLines final : public RenameLines {
public:
    MusicRenameLines(MusicList& list, const QListWidget& view) : list_(list), view_(view) {}

    int count() const override { return static_cast<int>(list_.paths().size()); }
    bool isSelected(int line) const override {
        const QListWidgetItem* item = view_.item(line);
        return item != nullptr && item->isSelected();
    }
    QString path(int line) const override { return list_.paths().value(line); }
    void setPath(int line, const QString& path) override { list_.setPath(line, path); }

private:
    MusicList& list_;
    const QListWidget& view_;
};

}  // namespace

void MainWindow::buildRename() {
    ReNameBoxDlg1_ = new TReNameBoxDlg(*this, this);
    ReNameBoxDlg1_->setObjectName(QStringLiteral("ReNameBoxDlg1"));
    connect(menus_.music.PRENAME, &QAction::triggered, this, [this] { PRENAMEClick(); });
    connect(&musicRec_->list(), &MusicList::entryRenamed, this, &MainWindow::presentRenamedEntry);
}

void MainWindow::PRENAMEClick() {
    MusicRenameLines lines(musicRec_->list(), *musicListInView());
    RenameBatchHooks hooks;
    hooks.processEvents = [] { QCoreApplication::processEvents(); };
    hooks.closing = [this] { return closing(); };
    hooks.beep = [this] { desktop_.beep(); };
    hooks.repaint = [this] { repaint(); };
    renameSelected(lines, *ReNameBoxDlg1_, *MKBoxDlg1_, settings_.isOn(Setting::BackColor), hooks);
}

void MainWindow::presentRenamedEntry(int row) {
    const QString path = musicRec_->list().paths().value(row);
    if (QListWidgetItem* item = music_->ListBox3->item(row)) item->setText(path);
    if (!settings_.isOn(Setting::FileOnly)) return;
    if (QListWidgetItem* item = music_->ListBoxFNF->item(row))
        item->setText(QFileInfo(path).fileName());
}

}  // namespace sondex
