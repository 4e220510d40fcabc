#include "ui/tray/TTaskTray.h"

#include "core/TextCut.h"
#include "ui/tray/TrayBackend.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QWidget>

#include <algorithm>

namespace sondex {

namespace {

constexpr qsizetype kTipBytes = 63;

const char* const kIdBelowOne = "0以下は指定できません";
const char* const kIdTaken = "同じアイコン識別子が有ります";
const char* const kNoPicture = "アイコンが指定されていません";

}  // namespace

TrayIcons::TrayIcons(TrayBackend& backend) : backend_(backend) {
    backend_.setListener([this](int id, int message, QPoint at) { notify(id, message, at); });
}

TrayIcons::~TrayIcons() {
    backend_.setListener({});
}

TTaskTray* TrayIcons::find(int id) const {
    const auto it = std::find_if(icons_.cbegin(), icons_.cend(),
                                 [id](const TTaskTray* icon) { return icon->id_ == id; });
    return it == icons_.cend() ? nullptr : *it;
}

int TrayIcons::nextId() const {
    // One past the highest id in use: the first icon gets 1, the next 2, and
    // an id moved up by hand is never handed out twice.
    int highest = 0;
    for (const TTaskTray* icon : icons_) highest = std::max(highest, icon->id_);
    return highest + 1;
}

void TrayIcons::notify(int id, int mouseMessage, QPoint at) {
    TTaskTray* icon = find(id);
    if (!icon || dispatching_) return;
    dispatching_ = true;
    const auto done = qScopeGuard([this] { dispatching_ = false; });
    switch (static_cast<TrayMouse>(mouseMessage)) {
        case TrayMouse::Move:
            emit icon->OnMouseMove(Qt::NoButton, at);
            break;
        case TrayMouse::LeftDown:
            icon->mouseDown(Qt::LeftButton, at);
            break;
        case TrayMouse::LeftUp:
            emit icon->OnMouseUp(Qt::LeftButton, Qt::LeftButton, at);
            break;
        case TrayMouse::LeftDoubleClick:
            emit icon->OnDblClick(Qt::LeftButton);
            break;
        case TrayMouse::RightDown:
            icon->mouseDown(Qt::RightButton, at);
            break;
        case TrayMouse::RightUp:
            emit icon->OnMouseUp(Qt::RightButton, Qt::RightButton, at);
            break;
        case TrayMouse::RightDoubleClick:
            emit icon->OnDblClick(Qt::RightButton);
            break;
        case TrayMouse::MiddleDown:
            icon->mouseDown(Qt::MiddleButton, at);
            break;
        case TrayMouse::MiddleUp:
            emit icon->OnMouseUp(Qt::MiddleButton, Qt::MiddleButton, at);
            break;
        default:
            break;  // a middle double click and anything else: nothing
    }
}

TTaskTray::TTaskTray(TrayIcons& icons, QWidget* owner) : icons_(icons), owner_(owner) {
    id_ = icons_.nextId();
    icons_.icons_.append(this);
}

TTaskTray::~TTaskTray() {
    unregister();
    icons_.icons_.removeOne(this);
}

void TTaskTray::setTipString(const QString& tip) {
    const QString cut = cutToUtf8Bytes(tip, kTipBytes);
    if (cut == tip_) return;
    tip_ = cut;
    update();
}

void TTaskTray::setIcon(const QIcon& icon) {
    if (icon.isNull()) {
        icon_ = QIcon();
        unregister();
        return;
    }
    icon_ = icon;
    update();
}

QString TTaskTray::setIconID(int id) {
    if (id < 1) return QString::fromUtf8(kIdBelowOne);
    if (id == id_) return {};
    if (icons_.find(id)) return QString::fromUtf8(kIdTaken);
    if (added_) {
        icons_.backend().remove(id_);
        added_ = false;
    }
    id_ = id;
    update();
    return {};
}

QString TTaskTray::setRegistered(bool registered) {
    if (registered == registered_) return {};
    if (!registered) {
        unregister();
        return {};
    }
    if (icon_.isNull()) return QString::fromUtf8(kNoPicture);
    registered_ = true;
    update();
    return {};
}

void TTaskTray::update() {
    if (!registered_) return;
    TrayBackend& backend = icons_.backend();
    if (added_) {
        backend.modify(id_, icon_, tip_);
    } else {
        backend.add(id_, icon_, tip_);
    }
    added_ = true;
}

void TTaskTray::unregister() {
    if (added_) icons_.backend().remove(id_);
    added_ = false;
    registered_ = false;
}

void TTaskTray::mouseDown(Qt::MouseButton button, QPoint at) {
    if (owner_ && owner_->isVisible()) {
        owner_->activateWindow();
        QCoreApplication::processEvents();
    }
    emit OnMouseDown(button, button, at);
    QMenu* menu = button == Qt::LeftButton    ? popupL_.data()
                  : button == Qt::RightButton ? popupR_.data()
                                              : nullptr;
    if (menu) menu->popup(at);
}

}  // namespace sondex
