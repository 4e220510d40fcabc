#pragma once

#include "files/FolderWalk.h"

#include <QIcon>

class QComboBox;
class QListWidget;
class QWidget;

namespace sondex {

class DialogHost;
class TMKBoxDlg;

// The pieces both folder browsers are made of.
namespace browserparts {

// Small pictures drawn here: one per kind of drive, and a closed and an open folder.
QIcon driveIcon(VolumeKind kind);
QIcon folderIcon(bool open);

// Drive entries with their pictures; the walk's drive is chosen.
void fillDriveBox(QComboBox& box, const FolderWalk& walk);

// The folders from the drive's root down to the walk's folder (open, indented
// by depth), then that folder's subfolders (closed, one step further in),
// sorted by name. Each row keeps its folder's path bytes (Qt::UserRole).
// Returns how many subfolders there are.
int fillFolderList(QListWidget& list, const FolderWalk& walk, const listing::FolderListing& read);

// The notice for a move that did not go as asked; false when there was none.
bool reportTrouble(TMKBoxDlg& messages, FolderWalk::Outcome outcome);

// Lists and fields in the standard window colour, or in the parent's when not `standard`.
void colourFields(QWidget& window, bool standard, const DialogHost& host);

}  // namespace browserparts
}  // namespace sondex
