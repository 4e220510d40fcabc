#pragma once

#include "platform/DiskVolumes.h"

#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>

namespace sondex {

class DialogHost;

// Shows the folder browser; after "設定" Directory holds the chosen folder.
class TDIROPENDLG : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Directory READ directory WRITE setDirectory)
    Q_PROPERTY(QString Title READ title WRITE setTitle)
    Q_PROPERTY(QWidget* SourceHandle READ sourceHandle WRITE setSourceHandle)
    Q_PROPERTY(bool StandardColor READ standardColor WRITE setStandardColor)
public:
    // The drives are read when the window opens (diskVolumes by default).
    explicit TDIROPENDLG(DialogHost& host, std::function<QList<DiskVolume>()> drives = diskVolumes,
                         QObject* parent = nullptr);

    // True when "設定" closed the window.
    bool Execute();

    QString directory() const { return directory_; }
    void setDirectory(const QString& folder) { directory_ = folder; }
    QString title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    QWidget* sourceHandle() const { return sourceHandle_; }
    void setSourceHandle(QWidget* window) { sourceHandle_ = window; }
    bool standardColor() const { return standardColor_; }
    void setStandardColor(bool on) { standardColor_ = on; }

private:
    DialogHost& host_;
    std::function<QList<DiskVolume>()> drives_;
    QString directory_;
    QString title_;
    QWidget* sourceHandle_ = nullptr;
    bool standardColor_ = true;
};

}  // namespace sondex
