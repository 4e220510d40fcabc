// The CD unit choice: the drive menu, the drive box and the drive list, the
// choices made in them, and a disc image added as a unit.
#include "app/MainWindow.h"

#include "app/WindowPrompts.h"
#include "cd/CdDeviceAccess.h"
#include "cd/CdDriveSelection.h"
#include "cd/CdUnitQueries.h"
#include "cd/CdListPanel.h"
#include "core/Logging.h"
#include "platform/AppPaths.h"
#include "platform/cd/Volumes.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>

namespace sondex {

void MainWindow::buildCdDrives() {
    cdDrives_ = new CdDriveSelection(settings_, identity_.AppTitle, this);
    connect(cdDrives_, &CdDriveSelection::unitsChanged, this, &MainWindow::presentCdUnits);
    connect(cdDrives_, &CdDriveSelection::changed, this, &MainWindow::presentCdSelection);
    for (QAction* item : menus_.cd.drives) {
        connect(item, &QAction::triggered, this, [this, item] {
            cdDrives_->select(item->data().toInt());
            presentCdSelection();  // a click that selects nothing must not leave its mark either
        });
    }
    connect(cdList_->ComboBox2, &QComboBox::activated, this, &MainWindow::ComboBox2Change);
    // The check mark has toggled by now (bindSwitch); the unit is chosen again.
    connect(menus_.main.MO_CD_SELECT, &QAction::triggered, cdDrives_, &CdDriveSelection::reselect);
    connect(menus_.main.MO_CDIMAGE, &QAction::triggered, this, &MainWindow::MO_CDIMAGEClick);
}

void MainWindow::buildCdAccess() {
    cdUnitQueries_ = std::make_unique<CdUnitsOnDisk>(paths::configFolder());
    cdAccess_ = std::make_unique<CdDeviceAccess>(channel_, settings_, *prompts_, *cdUnitQueries_,
                                                 paths::configFolder(), [] { QCoreApplication::processEvents(); });
    // The checks open the unit the selection names.
    connect(cdDrives_, &CdDriveSelection::changed, this, [this] {
        cdAccess_->setCdElement(cdDrives_->element());
        cdAccess_->setDriveLabel(cdDrives_->driveLabel());
    });
}

void MainWindow::fillCdDrives() {
    const cd::Volumes volumes = cd::readVolumes(paths::configFolder());
    for (const QString& problem : volumes.cdUnits.problems)
        qCInfo(lcStartup).noquote() << "CDDRIVES.INI:" << problem;
    cdDrives_->setVolumes(volumes.cdUnits.units, volumes.disks);
    cdDrives_->selectInitial();
}

void MainWindow::presentCdUnits() {
    const QStringList labels = cdDrives_->labels();
    for (size_t k = 0; k < menus_.cd.drives.size(); ++k) {
        QAction* item = menus_.cd.drives[k];
        const bool shown = static_cast<qsizetype>(k) < labels.size();
        item->setVisible(shown);
        if (shown) item->setText(labels[static_cast<qsizetype>(k)]);
    }
    cdList_->ComboBox2->clear();
    cdList_->ComboBox2->addItems(labels);
    cdList_->ListBoxSZ->clear();
    cdList_->ListBoxSZ->addItems(cdDrives_->driveList());
    presentCdSelection();
}

void MainWindow::presentCdSelection() {
    const int selected = cdDrives_->count() > 0 ? cdDrives_->selectedIndex() : -1;
    for (size_t k = 0; k < menus_.cd.drives.size(); ++k)
        menus_.cd.drives[k]->setChecked(static_cast<int>(k) == selected);
    cdList_->ComboBox2->setCurrentIndex(selected);
    setWindowTitle(cdDrives_->caption());
    menus_.cd.TL00->setText(cdDrives_->menuTitle());
}

void MainWindow::ComboBox2Change(int index) {
    if (index < 0 || cdDrives_->count() == 0) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cdDrives_->select(index);
    QApplication::restoreOverrideCursor();
}

void MainWindow::MO_CDIMAGEClick() {
    QFileDialog dialog(this, QStringLiteral("ＣＤイメージをドライブとして追加"));
    dialog.setObjectName(QStringLiteral("OpenDialogCD"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("ＣＤイメージ (*.cue *.CUE *.toc *.TOC)"), QStringLiteral("ALL files (*)")});
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(paths::homeFolder());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;

    const QString image = dialog.selectedFiles().constFirst();
    const cd::AddedUnit added = cd::addImageUnit(paths::configFolder(), cd::opticalDrives(), image);
    if (added.letter.isNull()) {
        MKBoxDlg1_->TMMsgBox(QStringLiteral("ＣＤイメージを追加できません：\n") + added.error, BoxAnswer::Ok);
        return;
    }
    // Whoever adds an image means to play it: the new unit is chosen at once.
    cdDrives_->select(cdDrives_->addUnit({added.letter, QFileInfo(image).absoluteFilePath()}));
}

}  // namespace sondex
