#pragma once

#include "files/TRENAMEBox.h"
#include "ui/dialogs/DialogComponent.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace sondex {

// Shows the rename window for one file. The component lives as long as the
// main window, so the modes, the extensions, the base name and the running
// number carry over from one file to the next (they are not stored).
// Execute() returns the window's result: 1 renamed (NewName is then the new
// full path), 2 skipped, 3 stop the batch.
class TReNameBoxDlg : public ColouredDialogComponent {
    Q_OBJECT
    Q_PROPERTY(QString NewName READ newName WRITE setNewName)
    Q_PROPERTY(QString OldKakuchoshi READ oldKakuchoshi WRITE setOldKakuchoshi)
    Q_PROPERTY(QString NewKakuchoshi READ newKakuchoshi WRITE setNewKakuchoshi)
    Q_PROPERTY(bool AutoRename0 READ autoRename0 WRITE setAutoRename0)
    Q_PROPERTY(bool AutoRename1 READ autoRename1 WRITE setAutoRename1)
    Q_PROPERTY(QString LZH READ lzh WRITE setLzh)
    Q_PROPERTY(QString Auto_Name READ autoName WRITE setAutoName)
    Q_PROPERTY(int Auto_No READ autoNo WRITE setAutoNo)
    Q_PROPERTY(int Auto_No_KETA READ autoNoKeta WRITE setAutoNoKeta)
public:
    explicit TReNameBoxDlg(DialogHost& host, QObject* parent = nullptr);

    int Execute(const QString& path);

    QString newName() const { return newName_; }
    void setNewName(const QString& name) { newName_ = name; }
    QString oldKakuchoshi() const { return s_.oldExtension; }
    void setOldKakuchoshi(const QString& filter) { s_.oldExtension = filter; }
    QString newKakuchoshi() const { return s_.newExtension; }
    void setNewKakuchoshi(const QString& extension) { s_.newExtension = extension; }
    bool autoRename0() const { return s_.autoRename0; }
    void setAutoRename0(bool on) { s_.autoRename0 = on; }
    bool autoRename1() const { return s_.autoRename1; }
    void setAutoRename1(bool on) { s_.autoRename1 = on; }
    QString lzh() const { return s_.lzh; }
    void setLzh(const QString& archive) { s_.lzh = archive; }
    QString autoName() const { return s_.autoName; }
    void setAutoName(const QString& base) { s_.autoName = base; }
    int autoNo() const { return s_.autoNo; }
    void setAutoNo(int number) { s_.autoNo = number; }
    int autoNoKeta() const { return s_.digits; }
    void setAutoNoKeta(int digits) { s_.digits = digits; }

private:
    QString newName_;
    RenameBoxSettings s_;
};

}  // namespace sondex
