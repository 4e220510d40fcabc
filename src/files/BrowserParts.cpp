#include "files/BrowserParts.h"

#include "files/BrowserTexts.h"
#include "ui/dialogs/DialogHost.h"
#include "ui/dialogs/TMKBoxDlg.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace sondex::browserparts {

namespace {

constexpr int kIconSize = 16;

QIcon drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap picture(kIconSize, kIconSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(picture);
}

void driveBody(QPainter& p, const QColor& colour) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.5, 1.5);
    p.setBrush(Qt::green);
    p.drawRect(QRectF(11, 8, 2, 1.5));
}

}  // namespace

QIcon driveIcon(VolumeKind kind) {
    switch (kind) {
        case VolumeKind::Removable:
            return drawn([](QPainter& p) {
                p.setPen(QPen(Qt::black, 1));
                p.setBrush(QColor(70, 90, 160));
                p.drawRect(QRectF(2.5, 1.5, 11, 13));
                p.setBrush(QColor(200, 200, 200));
                p.drawRect(QRectF(5.5, 1.5, 5, 4));
                p.setBrush(Qt::white);
                p.drawRect(QRectF(4.5, 8.5, 7, 6));
            });
        case VolumeKind::Network:
            return drawn([](QPainter& p) {
                driveBody(p, QColor(190, 190, 190));
                p.setPen(QPen(QColor(0, 110, 0), 1.5));
                p.drawLine(QPointF(8, 12), QPointF(8, 15));
                p.drawLine(QPointF(2, 15), QPointF(14, 15));
            });
        case VolumeKind::Optical:
            return drawn([](QPainter& p) {
                p.setPen(QPen(Qt::black, 1));
                p.setBrush(QColor(220, 220, 240));
                p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
                p.setBrush(Qt::white);
                p.drawEllipse(QRectF(6, 6, 4, 4));
            });
        case VolumeKind::Ram:
            return drawn([](QPainter& p) {
                p.setPen(QPen(Qt::black, 1));
                p.setBrush(QColor(0, 120, 60));
                p.drawRect(QRectF(1.5, 4.5, 13, 6));
                p.setPen(QPen(QColor(220, 180, 0), 1));
                for (int x = 3; x <= 13; x += 2) p.drawLine(QPointF(x, 11), QPointF(x, 14));
            });
        case VolumeKind::Fixed:
            break;
    }
    return drawn([](QPainter& p) { driveBody(p, QColor(190, 190, 190)); });
}

QIcon folderIcon(bool open) {
    return drawn([open](QPainter& p) {
        p.setPen(QPen(QColor(120, 90, 0), 1));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(1.5, 3.5, 6, 2));
        p.drawRect(QRectF(1.5, 4.5, 13, 9));
        if (open) {
            QPainterPath flap;
            flap.moveTo(1.5, 13.5);
            flap.lineTo(4.5, 7.5);
            flap.lineTo(15.5, 7.5);
            flap.lineTo(13.5, 13.5);
            flap.closeSubpath();
            p.setBrush(QColor(255, 230, 140));
            p.drawPath(flap);
        }
    });
}

void fillDriveBox(QComboBox& box, const FolderWalk& walk) {
    const QSignalBlocker quiet(&box);
    box.clear();
    for (const DiskVolume& drive : walk.drives())
        box.addItem(driveIcon(drive.kind), browsing::driveEntryText(drive));
    box.setCurrentIndex(walk.driveIndex());
}

int fillFolderList(QListWidget& list, const FolderWalk& walk, const listing::FolderListing& read) {
    const QSignalBlocker quiet(&list);
    list.clear();
    const QByteArray root = walk.driveRoot();
    QList<QByteArray> way{walk.folder()};
    while (way.constFirst() != root && way.constFirst() != "/")
        way.prepend(listing::parentFolder(way.constFirst()));
    const QString indentUnit = QStringLiteral("  ");
    for (int depth = 0; depth < way.size(); ++depth) {
        const QString name = depth == 0 ? listing::shownName(way[depth])
                                        : listing::shownName(listing::lastName(way[depth]));
        auto* row = new QListWidgetItem(folderIcon(true), indentUnit.repeated(depth) + name, &list);
        row->setData(Qt::UserRole, way[depth]);
    }
    QList<listing::FolderEntry> subfolders;
    for (const listing::FolderEntry& entry : read.entries) {
        if (entry.isFolder) subfolders.append(entry);
    }
    std::sort(subfolders.begin(), subfolders.end(),
              [](const auto& a, const auto& b) { return a.shown.localeAwareCompare(b.shown) < 0; });
    const QString inset = indentUnit.repeated(way.size());
    for (const listing::FolderEntry& entry : subfolders) {
        auto* row = new QListWidgetItem(folderIcon(false), inset + entry.shown, &list);
        row->setData(Qt::UserRole, listing::joinPath(walk.folder(), entry.name));
    }
    list.setCurrentRow(way.size() - 1);
    return static_cast<int>(subfolders.size());
}

bool reportTrouble(TMKBoxDlg& messages, FolderWalk::Outcome outcome) {
    switch (outcome) {
        case FolderWalk::Outcome::Moved:
            return false;
        case FolderWalk::Outcome::DriveError:
            messages.TMMsgBox(QStringLiteral("ドライブ・エラー発生\n元のドライブに戻します"),
                              BoxAnswer::Ok);
            return true;
        case FolderWalk::Outcome::FolderError:
            messages.TMMsgBox(QStringLiteral("フォルダー・エラー発生\nエラーを回避してみます。"),
                              BoxAnswer::Ok);
            return true;
    }
    return false;
}

void colourFields(QWidget& window, bool standard, const DialogHost& host) {
    if (standard) return;
    for (QWidget* field : window.findChildren<QWidget*>()) {
        if (!qobject_cast<QAbstractItemView*>(field) && !qobject_cast<QLineEdit*>(field) &&
            !qobject_cast<QComboBox*>(field))
            continue;
        QPalette p = field->palette();
        p.setColor(QPalette::Base, host.backgroundColour());
        field->setPalette(p);
    }
}

}  // namespace sondex::browserparts
