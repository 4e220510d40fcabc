#pragma once

#include "platform/DesktopServices.h"

#include <QList>

namespace sondex::test {

// Remembers what the program asked the desktop to open; opens nothing.
class FakeDesktop final : public DesktopServices {
public:
    bool openUrl(const QUrl& url) override {
        opened.append(url);
        return answer;
    }
    QList<QUrl> opened;
    bool answer = true;
};

}  // namespace sondex::test
