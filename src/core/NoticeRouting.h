#pragma once

#include <QObject>

#include <functional>

namespace sondex {

class MciChannel;
class NoticeRelay;

// Points each alias's notices where they belong: the recording device's at the
// main window's MM_MCINOTIFY handler, the music device's through SUB0 (1034)
// and the CD device's through SUB1 (1035).
void routeDeviceNotices(MciChannel& channel, QObject& mainWindow,
                        std::function<void(qint64 wParam, qint64 lParam)> mciNotify, NoticeRelay& sub0,
                        NoticeRelay& sub1);

}  // namespace sondex
