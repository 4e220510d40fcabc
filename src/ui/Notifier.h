#pragma once

#include <QString>

class QWidget;

namespace sondex {

// Shows a notice to the user and waits for it to be acknowledged. Windows
// take it as a parameter so tests can watch the texts instead of clicking.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void notice(QWidget* owner, const QString& caption, const QString& text) = 0;
};

// The plain modal box, used until the program's own timed box takes over.
class MessageBoxNotifier final : public Notifier {
public:
    void notice(QWidget* owner, const QString& caption, const QString& text) override;
};

}  // namespace sondex
