#pragma once

#include "platform/DiskVolumes.h"
#include "ui/dialogs/DialogComponent.h"

#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>

namespace sondex {

// Shows the folder browser; after "設定" Directory holds the chosen folder.
class TDIROPENDLG : public ColouredDialogComponent {
    Q_OBJECT
    Q_PROPERTY(QString Directory READ directory WRITE setDirectory)
public:
    // The drives are read when the window opens (diskVolumes by default).
    explicit TDIROPENDLG(DialogHost& host, std::function<QList<DiskVolume>()> drives = diskVolumes,
                         QObject* parent = nullptr);

    // True when "設定" closed the window.
    bool Execute();

    QString directory() const { return directory_; }
    void setDirectory(const QString& folder) { directory_ = folder; }

private:
    std::function<QList<DiskVolume>()> drives_;
    QString directory_;
};

}  // namespace sondex
