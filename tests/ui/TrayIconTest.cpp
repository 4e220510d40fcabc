#include "support/FakeTray.h"
#include "ui/tray/TTaskTray.h"

#include <QImage>
#include <QMenu>
#include <QPixmap>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace sondex {
namespace {

QStringList texts(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items) list << QString::fromUtf8(item);
    return list;
}

QIcon picture() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    return QIcon(pixmap);
}

class TrayIconTest : public ::testing::Test {
protected:
    test::FakeTray backend;
    TrayIcons icons{backend};
};

TEST_F(TrayIconTest, IdsAreUniqueAndAtLeastOne) {
    TTaskTray first(icons, nullptr);
    auto second = std::make_unique<TTaskTray>(icons, nullptr);
    EXPECT_EQ(first.IconID(), 1);
    EXPECT_EQ(second->IconID(), 2);
    EXPECT_EQ(second->setIconID(1), QStringLiteral("同じアイコン識別子が有ります"));
    EXPECT_EQ(second->setIconID(0), QStringLiteral("0以下は指定できません"));
    EXPECT_EQ(second->setIconID(-3), QStringLiteral("0以下は指定できません"));
    EXPECT_EQ(second->IconID(), 2);

    // An icon in the tray moves to its new id and stays wanted there.
    first.setIcon(picture());
    ASSERT_TRUE(first.setRegistered(true).isEmpty());
    EXPECT_TRUE(first.setIconID(5).isEmpty());
    EXPECT_TRUE(first.Registered());
    EXPECT_EQ(backend.calls, texts({"add 1 ", "remove 1", "add 5 "}));
    EXPECT_EQ(icons.find(5), &first);

    // A freed id is found no more, and a new icon never takes one in use.
    second.reset();
    EXPECT_EQ(icons.find(2), nullptr);
    EXPECT_EQ(TTaskTray(icons, nullptr).IconID(), 6);
}

TEST_F(TrayIconTest, TheIconShowsOnlyWithAPictureAndChangesInPlace) {
    TTaskTray icon(icons, nullptr);
    EXPECT_EQ(icon.setRegistered(true), QStringLiteral("アイコンが指定されていません"));
    EXPECT_FALSE(icon.Registered());
    icon.setTipString(QStringLiteral("before"));
    icon.setIcon(picture());
    EXPECT_TRUE(backend.calls.isEmpty());  // not wanted in the tray yet

    ASSERT_TRUE(icon.setRegistered(true).isEmpty());
    icon.setTipString(QString());
    icon.setTipString(QStringLiteral("SONDEX"));
    icon.setTipString(QStringLiteral("SONDEX"));
    icon.setIcon(QIcon());
    EXPECT_FALSE(icon.Registered());
    EXPECT_FALSE(icon.isAdded());
    EXPECT_EQ(backend.calls, texts({"add 1 before", "modify 1 ", "modify 1 SONDEX", "remove 1"}));
}

TEST_F(TrayIconTest, TheTipKeepsAtMost63Utf8BytesOfWholeCharacters) {
    const QString face = QStringLiteral("\U0001F600");  // four bytes in UTF-8
    struct Case {
        QString tip;
        QString shown;
    } cases[] = {
        {QString(70, u'a'), QString(63, u'a')},
        {QString(59, u'a') + face + u'b', QString(59, u'a') + face},
        {QString(60, u'a') + face, QString(60, u'a')},
        {QString(61, u'a') + QStringLiteral("録"), QString(61, u'a')},
        {QString(21, QChar(u'録')) + u'x', QString(21, QChar(u'録'))},
    };
    for (const Case& c : cases) {
        TTaskTray icon(icons, nullptr);
        icon.setTipString(c.tip);
        EXPECT_EQ(icon.TipString(), c.shown) << c.tip.size();
    }
}

TEST_F(TrayIconTest, MouseReportsReachTheirIconOneAtATime) {
    TTaskTray icon(icons, nullptr);
    QMenu left;
    QMenu right;
    icon.setPopupMenuL(&left);
    icon.setPopupMenuR(&right);
    QStringList seen;
    QObject::connect(&icon, &TTaskTray::OnMouseDown,
                     [&](Qt::MouseButton button, Qt::MouseButtons, QPoint) {
                         seen << QStringLiteral("down %1").arg(button);
                         // A report while one is handled is dropped.
                         backend.send(1, TrayMouse::LeftUp);
                     });
    QObject::connect(&icon, &TTaskTray::OnMouseUp,
                     [&](Qt::MouseButton button, Qt::MouseButtons, QPoint) {
                         seen << QStringLiteral("up %1").arg(button);
                     });
    QObject::connect(&icon, &TTaskTray::OnDblClick, [&](Qt::MouseButton button) {
        seen << QStringLiteral("double %1").arg(button);
    });
    QObject::connect(&icon, &TTaskTray::OnMouseMove,
                     [&](Qt::MouseButtons, QPoint) { seen << QStringLiteral("move"); });

    backend.send(2, TrayMouse::LeftDown);  // no such icon
    backend.send(1, 0x209);                // a middle double click
    backend.send(1, 0x1ff);
    EXPECT_TRUE(seen.isEmpty());

    backend.send(1, TrayMouse::Move);
    backend.send(1, TrayMouse::RightDown, {30, 40});
    EXPECT_TRUE(right.isVisible());
    EXPECT_FALSE(left.isVisible());
    right.hide();
    backend.send(1, TrayMouse::RightUp);
    backend.send(1, TrayMouse::MiddleDown);
    backend.send(1, TrayMouse::LeftDoubleClick);
    EXPECT_FALSE(left.isVisible() || right.isVisible());
    EXPECT_EQ(seen, texts({"move", "down 2", "up 2", "down 4", "double 1"}));

    // A menu that has gone is let go of.
    auto* gone = new QMenu;
    icon.setPopupMenuL(gone);
    delete gone;
    EXPECT_EQ(icon.PopupMenuL(), nullptr);
    backend.send(1, TrayMouse::LeftDown);
    EXPECT_EQ(seen.size(), 6);
}

}  // namespace
}  // namespace sondex
