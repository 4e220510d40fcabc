#pragma once

#include "platform/DesktopServices.h"

namespace sondex {

// The desktop's default handlers (xdg-open underneath) and the toolkit's beep;
// they need the GUI libraries, so they live above the core.
class SystemDesktopServices final : public DesktopServices {
public:
    bool openUrl(const QUrl& url) override;
    void beep() override;
};

}  // namespace sondex
