#pragma once

#include "core/BoxAnswer.h"
#include "ui/dialogs/BoxButtons.h"

#include <QDialog>
#include <QString>

class QLabel;
class QTextEdit;
class QPushButton;
class QTimer;
class QHBoxLayout;

namespace sondex {

class DialogHost;

// What one box shows and how it counts down.
struct BoxRequest {
    QString text;
    BoxVariant variant = BoxVariant::Ok;
    BoxKind kind = BoxKind::Plain;
    bool countsDown = false;
    int seconds = 0;
    BoxAnswer defaultAnswer = BoxAnswer::Ok;
};

// The window of one timed message box. exec() returns the answer of the
// button pressed, BoxAnswer::Closed for the close button, or TimedOut.
class TMKBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int TimedOut = -1;

    TMKBox(const BoxRequest& request, const DialogHost& host, QWidget* parent = nullptr);

    int remainingSeconds() const { return remaining_; }

    void done(int answer) override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* makeButton(const char* name, const QString& text);
    QHBoxLayout* buildButtonRow(const BoxButtons& buttons, MarkedButton marked);
    void fitMemo();
    void applyHostColours();
    void drawIcon();
    void tick();
    void pause();
    void resume();

    const DialogHost& host_;
    QTextEdit* memo_;
    QLabel* imageBox_;
    QLabel* imageMk_;
    QLabel* imageYn_;
    QLabel* labelTm_;
    QLabel* tmCountS_;
    QLabel* labelSelect_;
    QPushButton* ok_;
    QPushButton* yes_;
    QPushButton* no_;
    QPushButton* abort_;
    QPushButton* tmStop_;
    QPushButton* tmOpen_;
    QTimer* timer1_;
    QTimer* timerPaint_;
    bool question_;
    int remaining_;
    bool inTick_ = false;
};

}  // namespace sondex
