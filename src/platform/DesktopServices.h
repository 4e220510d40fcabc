#pragma once

#include <QString>
#include <QUrl>

namespace sondex {

// What the recorder asks of the desktop: show a page or a text file in the
// user's default program, and sound the warning beep. Tests put a double in
// its place.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;
    // False when no program could be started for it.
    virtual bool openUrl(const QUrl& url) = 0;
    bool openFile(const QString& path) { return openUrl(QUrl::fromLocalFile(path)); }
    virtual void beep() = 0;
};

}  // namespace sondex
