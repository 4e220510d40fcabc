#include "core/NoticeRelay.h"

namespace sondex {

NoticeRelay::NoticeRelay(const QString& objectName, int message, QObject* parent)
    : QObject(parent), message_(message) {
    setObjectName(objectName);
}

void NoticeRelay::deviceNotice(qint64 wParam, qint64 lParam) { emit forwarded(message_, wParam, lParam); }

}  // namespace sondex
