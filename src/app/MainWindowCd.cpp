// CD play and record: the three lists, the sequencer, and what the CD
// panels and the tray menu show of them.
#include "app/MainWindow.h"

#include "app/WindowPrompts.h"
#include "cd/CdControlPanel.h"
#include "cd/CdDeviceAccess.h"
#include "cd/CdDriveSelection.h"
#include "cd/CdListPanel.h"
#include "cd/CdLists.h"
#include "cd/CdSearch.h"
#include "cd/CdSequencer.h"
#include "core/RecordingLog.h"
#include "core/RecordingSession.h"
#include "music/MusicPanel.h"
#include "platform/DesktopServices.h"
#include "recording/FormatCommands.h"
#include "ui/Commands.h"
#include "ui/controls/ClickWatch.h"
#include "ui/controls/SpinButton.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>

namespace sondex {

namespace {

// Longer dropped names are cut here, as the shell hands over no more.
constexpr qsizetype kLongestDroppedName = 300;

QList<int> selectedRows(const QListWidget& list) {
    QList<int> rows;
    for (const QModelIndex& index : list.selectionModel()->selectedRows()) rows.append(index.row());
    return rows;
}

void showEntries(QListWidget& list, const QStringList& entries) {
    list.clear();
    list.addItems(entries);
}

}  // namespace

void MainWindow::buildCdPlay() {
    cdLists_ = new CdLists(this);
    CdSequencer::Hooks hooks;
    hooks.processEvents = [] { QCoreApplication::processEvents(); };
    hooks.busyCursor = [this](bool on) { prompts_->busyCursor(on); };
    hooks.showLog = [this] { MKIROKUClick(LogSender::RecordingEnd); };
    hooks.searchOneCd = [this] { cdSearch_->run(CdSearch::Scope::OneCd, CdSearch::Unit::PerTrack); };
    cdSeq_ = new CdSequencer(channel_, *session_, *cdAccess_, *cdDrives_, *cdLists_, settings_, *prompts_, flags_,
                             identity_.ProgramFolder + identity_.ProductKey + QStringLiteral("M0.LIS"),
                             std::move(hooks), this);
    controllers_.append(cdSeq_);
    connect(cdSeq_, &CdSequencer::changed, this, &MainWindow::presentCdPlay);

    connect(cdLists_, &CdLists::registeredChanged, this, [this] { showEntries(*cdList_->ListBox1, cdLists_->registered()); });
    connect(cdLists_, &CdLists::searchChanged, this, [this] { showEntries(*cdList_->ListBox2, cdLists_->search()); });
    connect(cdLists_, &CdLists::selectionChanged, this, [this] {
        cd_->ComboBox1->clear();
        cd_->ComboBox1->addItems(cdLists_->selection());
        cd_->ComboBox1->setCurrentIndex(cdLists_->selectedEntry());
        cd_->Label7->setText(cdLists_->selectionSource());
    });
    connect(cdLists_, &CdLists::selectedEntryChanged, cd_->ComboBox1, &QComboBox::setCurrentIndex);
    connect(cd_->ComboBox1, &QComboBox::activated, cdSeq_, &CdSequencer::ComboBox1Change);
    buildCdSearch();
    bindCdListCommands();
    bindCdPlayCommands();
}

void MainWindow::buildCdSearch() {
    CdSearch::Hooks hooks;
    hooks.processEvents = [] { QCoreApplication::processEvents(); };
    hooks.busyCursor = [this](bool on) { prompts_->busyCursor(on); };
    hooks.showText = [this](const QString& path) { return desktop_.openFile(path); };
    hooks.focusSearchList = [this] {
        if (isVisible()) cdList_->ListBox2->setFocus();
    };
    hooks.searchListCaption = cdList_->Button11->text();
    cdSearch_ = new CdSearch(channel_, *cdAccess_, *cdDrives_, *cdLists_, *prompts_, flags_, identity_.ProgramFolder,
                             std::move(hooks), this);
    connect(cdSearch_, &CdSearch::searchingChanged, this, [this](bool on) {
        cdSearching_ = on;
        presentCdPlay();
    });
    using Scope = CdSearch::Scope;
    using Unit = CdSearch::Unit;
    const auto search = [this](Scope scope, Unit unit) { return [this, scope, unit] { cdSearch_->run(scope, unit); }; };
    connect(cdList_->Button8, &QPushButton::clicked, this, search(Scope::AllCds, Unit::PerTrack));
    connect(cdList_->Button9, &QPushButton::clicked, this, search(Scope::OneCd, Unit::PerTrack));
    const std::pair<QAction*, std::function<void()>> items[] = {
        {menus_.tray.TRALLCD, search(Scope::AllCds, Unit::PerTrack)},
        {menus_.tray.TRCD1, search(Scope::OneCd, Unit::PerTrack)},
        {menus_.cd.PCD_ALL_TR, search(Scope::AllCds, Unit::PerTrack)},
        {menus_.cd.PCD_1_TR, search(Scope::OneCd, Unit::PerTrack)},
        {menus_.cd.PCD_ALL_CD, search(Scope::AllCds, Unit::PerDisc)},
        {menus_.cd.PCD_1_CD, search(Scope::OneCd, Unit::PerDisc)},
        {menus_.cd.PLBTIchiran, [this] { cdSearch_->showReport(); }},
    };
    for (const auto& [item, action] : items) connect(item, &QAction::triggered, this, action);
}

void MainWindow::bindCdListCommands() {
    CdListPanel& l = *cdList_;
    const auto afterEdit = [this] { cdList_->ListBox1->setFocus(); };
    connect(l.Button10, &QPushButton::clicked, this,
            [this] { cdLists_->useAsSelection(CdLists::Source::Registered, cdList_->Button10->text()); });
    connect(l.Button11, &QPushButton::clicked, this,
            [this] { cdLists_->useAsSelection(CdLists::Source::Search, cdList_->Button11->text()); });
    connect(l.Button2, &QPushButton::clicked, this, [this, afterEdit] {
        cdList_->ListBox2->selectAll();
        cdLists_->copyToRegistered(selectedRows(*cdList_->ListBox2));
        afterEdit();
    });
    connect(l.Button3, &QPushButton::clicked, this, [this, afterEdit] {
        cdLists_->copyToRegistered(selectedRows(*cdList_->ListBox2));
        afterEdit();
    });
    connect(l.Button_DEL, &QPushButton::clicked, this, [this, afterEdit] {
        cdLists_->moveToSearch(selectedRows(*cdList_->ListBox1));
        afterEdit();
    });
    connect(l.Button_ALLDEL, &QPushButton::clicked, this, [this, afterEdit] {
        cdLists_->moveAllToSearch();
        afterEdit();
    });
    for (const auto& [button, direction] : {std::pair{l.Button5, -1}, std::pair{l.Button6, 1}}) {
        connect(button, &QPushButton::clicked, this, [this, direction, afterEdit] {
            const QList<int> selected = cdLists_->moveRegistered(selectedRows(*cdList_->ListBox1), direction);
            for (const int row : selected) cdList_->ListBox1->item(row)->setSelected(true);
            afterEdit();
        });
    }
}

void MainWindow::bindCdPlayCommands() {
    CdControlPanel& p = *cd_;
    const TrayMenuCommands& t = menus_.tray;
    CdSequencer* s = cdSeq_;
    // Each command has a button on the panel and an item in the tray menu.
    const struct {
        QPushButton* button;
        QAction* item;
        void (CdSequencer::*handler)();
    } commands[] = {{p.Button12, t.TR0, &CdSequencer::TR0Click},     {p.Button13, t.TR1, &CdSequencer::Button13Click},
                    {p.Button17, t.TR5, &CdSequencer::Button17Click}, {p.Button14, t.TR2, &CdSequencer::Button14Click},
                    {p.Button15, t.TR3, &CdSequencer::Button15Click}, {p.Button16, t.TR4, &CdSequencer::Button16Click}};
    for (const auto& command : commands) {
        connect(command.button, &QPushButton::clicked, s, command.handler);
        connect(command.item, &QAction::triggered, s, command.handler);
    }
    for (QLabel* label : {p.Label2, p.Label7}) ClickWatch::onClick(label, [s] { s->Button13Click(); });
    const std::array<SpinButton*, 3> spins = {p.SpinButton1, p.SpinButton2, p.SpinButton3};
    for (int field = 0; field < 3; ++field) {
        connect(spins[field], &SpinButton::upClick, s, [s, field] { s->moveResumePosition(field, 1); });
        connect(spins[field], &SpinButton::downClick, s, [s, field] { s->moveResumePosition(field, -1); });
    }
    connect(p.ButtonCDPOSINI, &QPushButton::clicked, s, &CdSequencer::ButtonCDPOSINIClick);

    // `CheckBox1` and `TRSAVE` are mirrored quietly: each tells the sequencer itself.
    const auto recordAlong = [this](bool on) {
        cdSeq_->setRecordAlong(on);
        presentRecordAlong();
    };
    connect(p.CheckBox1, &QCheckBox::toggled, this, recordAlong);
    connect(t.TRSAVE, &QAction::toggled, this, recordAlong);
    connect(menus_.main.MTANDOKU, &QAction::toggled, this, [this](bool on) {
        cdSeq_->setSingleMode(on);
        const QString caption = on ? QStringLiteral("単独再／録") : QStringLiteral("再生／録音");
        cd_->Button12->setText(caption);
        music_->Button24->setText(caption);
    });
}

void MainWindow::presentRecordAlong() {
    QPalette palette = cd_->CheckBox1->palette();
    palette.setColor(QPalette::Window, cdSeq_->recordAlong() ? format_->indicatorColour()
                                                              : cd_->palette().color(QPalette::Window));
    cd_->CheckBox1->setPalette(palette);
    cd_->CheckBox1->setAutoFillBackground(cdSeq_->recordAlong());
}

void MainWindow::presentCdPlay() {
    const CdSequencer& s = *cdSeq_;
    const CdPlayLabels& labels = s.labels();
    const bool playing = s.isPlaying();
    const bool paused = s.isPaused();
    const bool searching = cdSearching_;
    CdControlPanel& p = *cd_;
    p.Label1->setText(labels.end);
    p.Label2->setText(labels.position);
    p.Label3->setText(labels.trackRange);
    p.Label4->setText(labels.track);
    p.Label5->setText(labels.length);
    p.Label6->setText(labels.drive);
    p.Label8->setText(labels.summary);
    if (!labels.summary.isEmpty()) PSTBar1_.track->setText(u' ' + labels.summary);

    p.Panel1->setVisible(playing);
    p.Button13->setVisible(!paused);
    p.PanelCDPOS->setVisible(paused);
    for (QWidget* starter : {static_cast<QWidget*>(cdList_->Button8), static_cast<QWidget*>(cdList_->Button9),
                             static_cast<QWidget*>(p.Button12)})
        starter->setVisible(!playing && !searching);
    const TrayMenuCommands& t = menus_.tray;
    t.TR0->setEnabled(!playing && !searching);
    for (QAction* request : {t.TR1, t.TR2, t.TR3, t.TR4}) request->setEnabled(playing);
    t.TR1->setVisible(!paused);
    t.TR5->setVisible(paused);
    t.TR4->setText(labels.stopCaption);
    t.TRALLCD->setEnabled(!playing && !searching);
    t.TRCD1->setEnabled(!playing && !searching);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() || event->mimeData()->hasText()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    // Files come as URLs; a CD track file ("E:Track05.cda") names no file
    // here and may come as text or as a URL of its own.
    QStringList paths;
    const QMimeData& dropped = *event->mimeData();
    if (dropped.hasUrls()) {
        for (const QUrl& url : dropped.urls()) paths.append(url.isLocalFile() ? url.toLocalFile() : url.toString());
    } else {
        paths = dropped.text().split(u'\n', Qt::SkipEmptyParts);
    }
    event->acceptProposedAction();
    onDroppedFiles(paths);
}

void MainWindow::onDroppedFiles(QStringList names) {
    for (QString& name : names) name = name.trimmed().left(kLongestDroppedName);
    applySwitches(parseDroppedFiles(names), SwitchSource::Dropped);
}

}  // namespace sondex
