#pragma once

#include "core/BoxAnswer.h"
#include "ui/dialogs/DialogComponent.h"
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace sondex {

// The number dialog: asks for one whole number (seconds or a count) with spin
// buttons of 1, 10 and 60 and confirms it before taking it. Execute() returns
// BoxAnswer::Ok when the user confirmed a value (TCount then holds it),
// BoxAnswer::Abort for 中 止 and BoxAnswer::Closed when closed otherwise.
class TTmSETBoxDlg : public DialogComponent {
    Q_OBJECT
    Q_PROPERTY(QString Msg0 READ msg0 WRITE setMsg0)
    Q_PROPERTY(QString Msg1 READ msg1 WRITE setMsg1)
    Q_PROPERTY(QString Msg2 READ msg2 WRITE setMsg2)
    Q_PROPERTY(int MinCount READ minCount WRITE setMinCount)
    Q_PROPERTY(int TCount READ tCount WRITE setTCount)
    Q_PROPERTY(QString HMS READ hms WRITE setHms)
public:
    explicit TTmSETBoxDlg(DialogHost& host, QObject* parent = nullptr);

    // The subject names the setting in the confirmation question.
    BoxAnswer Execute(const QString& subject);

    // Three lines shown above the number; with the first line empty the value
    // is shown as a count ("個").
    QString msg0() const { return msg0_; }
    void setMsg0(const QString& text) { msg0_ = text; }
    QString msg1() const { return msg1_; }
    void setMsg1(const QString& text) { msg1_ = text; }
    QString msg2() const { return msg2_; }
    void setMsg2(const QString& text) { msg2_ = text; }
    // The smallest non-zero value taken; 0 always passes.
    int minCount() const { return minCount_; }
    void setMinCount(int count) { minCount_ = count; }
    // The value: shown at the start, and the result after a confirmation.
    int tCount() const { return tCount_; }
    void setTCount(int count) { tCount_ = count; }
    // The unit shown after the number.
    QString hms() const { return hms_; }
    void setHms(const QString& unit) { hms_ = unit; }

private:
    QString msg0_;
    QString msg1_;
    QString msg2_;
    int minCount_ = 0;
    int tCount_ = 0;
    QString hms_ = QStringLiteral("秒");
};

}  // namespace sondex
