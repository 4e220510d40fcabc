#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace sondex {

class DialogHost;
class SpinButton;
class TMKBoxDlg;

// What the number dialog asks for.
struct NumberRequest {
    QString msg0;
    QString msg1;
    QString msg2;
    int minCount = 0;
    int value = 0;
    QString unit;
    // Names the setting in the confirmation question.
    QString subject;
    // Caption of the confirmation box; empty means the application's title.
    QString title;
};

// The window of the number dialog. exec() returns BoxAnswer::Ok once the
// user has confirmed a value (then value() holds it), BoxAnswer::Abort for
// 中 止 and BoxAnswer::Closed when closed otherwise.
class TTMSETBox : public QDialog {
    Q_OBJECT
public:
    TTMSETBox(const NumberRequest& request, DialogHost& host, QWidget* parent = nullptr);

    int value() const { return value_; }

    void reject() override;

private:
    SpinButton* makeSpin(const char* name, const QString& hint, int step);
    void setValue(int value);
    void confirm();

    NumberRequest request_;
    int value_;
    QLabel* label2_;
    TMKBoxDlg* confirmBox_;
};

}  // namespace sondex
