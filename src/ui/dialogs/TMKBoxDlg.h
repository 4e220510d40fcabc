#pragma once

#include "core/BoxAnswer.h"
#include "ui/dialogs/BoxButtons.h"
#include "ui/dialogs/DialogComponent.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>

namespace sondex {

class TMKBox;
struct BoxRequest;

// The program's message box. Every operation shows a modal box and returns
// its answer (see BoxAnswer.h); a countdown closes the box with the caller's
// default, so that unattended runs are never held up by a question. Up to
// ten boxes can be open at once, nested; an eleventh is not shown (answer 0).
// While a box is on screen the host's message-busy flag is set.
class TMKBoxDlg : public DialogComponent {
    Q_OBJECT
    Q_PROPERTY(bool Timer READ timer WRITE setTimer)
    Q_PROPERTY(int TimerCount READ timerCount WRITE setTimerCount)
    Q_PROPERTY(bool ERTimer READ erTimer WRITE setErTimer)
    Q_PROPERTY(int ERTimerCount READ erTimerCount WRITE setErTimerCount)
    Q_PROPERTY(bool SKTimer READ skTimer WRITE setSkTimer)
    Q_PROPERTY(int SKTimerCount READ skTimerCount WRITE setSkTimerCount)
public:
    static constexpr int kSlots = 10;

    explicit TMKBoxDlg(DialogHost& host, QObject* parent = nullptr);
    ~TMKBoxDlg() override;

    // ＯＫ, no countdown.
    BoxAnswer MsgBox(const QString& text);
    // はい / いいえ, no countdown.
    BoxAnswer MsgBoxYN(const QString& text);
    // ＯＫ, counting down TimerCount seconds when Timer is on.
    BoxAnswer TMMsgBox(const QString& text, BoxAnswer defaultAnswer);
    // はい / いいえ, counting down TimerCount seconds when Timer is on.
    BoxAnswer TMMsgBoxYN(const QString& text, BoxAnswer defaultAnswer);
    // ＯＫ, counting down SKTimerCount seconds when SKTimer is on.
    BoxAnswer SKMsgBox(const QString& text, BoxAnswer defaultAnswer);
    // ＯＫ and 中 断, counting down ERTimerCount seconds when ERTimer is on.
    BoxAnswer ERMsgBox(const QString& text, BoxAnswer defaultAnswer);
    // As TMMsgBox and ERMsgBox, with the caller's seconds.
    BoxAnswer TMMsgBoxCount(int seconds, const QString& text, BoxAnswer defaultAnswer);
    BoxAnswer ERMsgBoxCount(int seconds, const QString& text, BoxAnswer defaultAnswer);

    // The window boxes are centred over; null means the host's main window.

    bool timer() const { return timer_; }
    void setTimer(bool on) { timer_ = on; }
    int timerCount() const { return timerCount_; }
    void setTimerCount(int seconds) { timerCount_ = seconds; }
    bool erTimer() const { return erTimer_; }
    void setErTimer(bool on) { erTimer_ = on; }
    int erTimerCount() const { return erTimerCount_; }
    void setErTimerCount(int seconds) { erTimerCount_ = seconds; }
    bool skTimer() const { return skTimer_; }
    void setSkTimer(bool on) { skTimer_ = on; }
    int skTimerCount() const { return skTimerCount_; }
    void setSkTimerCount(int seconds) { skTimerCount_ = seconds; }

    // Slot i (B0 … B9) holds an open box.
    bool slotBusy(int slot) const;
    // The box open in slot i, if any.
    TMKBox* boxInSlot(int slot) const;

private:
    struct Slot {
        bool busy = false;
        bool countsDown = false;
        BoxKind kind = BoxKind::Plain;
        int seconds = 0;
        TMKBox* window = nullptr;
    };

    BoxAnswer show(const BoxRequest& request);

    bool timer_ = true;
    int timerCount_ = 10;
    bool erTimer_ = true;
    int erTimerCount_ = 10;
    bool skTimer_ = true;
    int skTimerCount_ = 5;
    std::array<Slot, kSlots> slots_;
};

}  // namespace sondex
