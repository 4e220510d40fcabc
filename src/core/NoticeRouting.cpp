#include "core/NoticeRouting.h"

#include "core/NoticeRelay.h"
#include "core/MciChannel.h"

namespace sondex {

namespace {

mci::NoticeTarget relayTarget(NoticeRelay& relay) {
    return {&relay, [relay = &relay](qint64 wParam, qint64 lParam) { relay->deviceNotice(wParam, lParam); }};
}

}  // namespace

void routeDeviceNotices(MciChannel& channel, QObject& mainWindow,
                        std::function<void(qint64 wParam, qint64 lParam)> mciNotify, NoticeRelay& sub0,
                        NoticeRelay& sub1) {
    channel.setNoticeTarget(Alias::Rec, {&mainWindow, std::move(mciNotify)});
    channel.setNoticeTarget(Alias::Mid, relayTarget(sub0));
    channel.setNoticeTarget(Alias::Cd, relayTarget(sub1));
}

}  // namespace sondex
