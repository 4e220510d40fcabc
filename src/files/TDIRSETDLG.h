#pragma once

#include <QObject>
#include <QWidget>
#include <QString>

class QWidget;

namespace sondex {

class DialogHost;

// Shows the folder window and returns the folder: the one newly registered,
// or the one it was given when the user gives up.
class TDIRSETDLG : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Directory READ directory WRITE setDirectory)
    Q_PROPERTY(QString DirName READ dirName WRITE setDirName)
    Q_PROPERTY(QString Title READ title WRITE setTitle)
    Q_PROPERTY(QWidget* SourceHandle READ sourceHandle WRITE setSourceHandle)
    Q_PROPERTY(bool StandardColor READ standardColor WRITE setStandardColor)
public:
    explicit TDIRSETDLG(DialogHost& host, QObject* parent = nullptr);

    QString Execute();

    QString directory() const { return directory_; }
    void setDirectory(const QString& folder) { directory_ = folder; }
    QString dirName() const { return dirName_; }
    void setDirName(const QString& name) { dirName_ = name; }
    QString title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    QWidget* sourceHandle() const { return sourceHandle_; }
    void setSourceHandle(QWidget* window) { sourceHandle_ = window; }
    bool standardColor() const { return standardColor_; }
    void setStandardColor(bool on) { standardColor_ = on; }

private:
    DialogHost& host_;
    QString directory_;
    QString dirName_;
    QString title_;
    QWidget* sourceHandle_ = nullptr;
    bool standardColor_ = true;
};

}  // namespace sondex
