#pragma once

#include "ui/dialogs/DialogComponent.h"

#include <QObject>
#include <QWidget>
#include <QString>

class QWidget;

namespace sondex {

// Shows the folder window and returns the folder: the one newly registered,
// or the one it was given when the user gives up.
class TDIRSETDLG : public ColouredDialogComponent {
    Q_OBJECT
    Q_PROPERTY(QString Directory READ directory WRITE setDirectory)
    Q_PROPERTY(QString DirName READ dirName WRITE setDirName)
public:
    explicit TDIRSETDLG(DialogHost& host, QObject* parent = nullptr);

    QString Execute();

    QString directory() const { return directory_; }
    void setDirectory(const QString& folder) { directory_ = folder; }
    QString dirName() const { return dirName_; }
    void setDirName(const QString& name) { dirName_ = name; }

private:
    QString directory_;
    QString dirName_;
};

}  // namespace sondex
