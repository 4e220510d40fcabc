#pragma once

#include "platform/DiskVolumes.h"
#include "ui/dialogs/DialogComponent.h"

#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>

namespace sondex {

// Shows the folder and file browser. Execute returns 1 after "設定", with the
// chosen folder in Directory, and 3 after "キャンセル".
class TDIR2OPENDLG : public ColouredDialogComponent {
    Q_OBJECT
    Q_PROPERTY(QString Directory READ directory WRITE setDirectory)
    Q_PROPERTY(QString InitialDir READ initialDir WRITE setInitialDir)
    Q_PROPERTY(QString Filter READ filter WRITE setFilter)
public:
    explicit TDIR2OPENDLG(DialogHost& host, std::function<QList<DiskVolume>()> drives = diskVolumes,
                          QObject* parent = nullptr);

    int Execute(const QString& captionSuffix);

    QString directory() const { return directory_; }
    void setDirectory(const QString& folder) { directory_ = folder; }
    QString initialDir() const { return initialDir_; }
    void setInitialDir(const QString& folder) { initialDir_ = folder; }
    QString filter() const { return filter_; }
    void setFilter(const QString& filter) { filter_ = filter; }

private:
    std::function<QList<DiskVolume>()> drives_;
    QString directory_;
    QString initialDir_;
    QString filter_ = QStringLiteral("ALL files|*.*");
};

}  // namespace sondex
