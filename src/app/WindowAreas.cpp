#include "app/WindowAreas.h"

#include "ui/controls/Placing.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace sondex {

StatusBar buildStatusBar(QWidget* client) {
    using namespace build;
    QFrame* bar = panel(client, "PSTBar1", {0, 0, 267, 19});
    bar->setFrameShape(QFrame::StyledPanel);
    label(bar, "PSTBar1_0", "44100", {2, 1, 38, 17}, "録音レート");
    label(bar, "PSTBar1_1", "16", {42, 1, 28, 17}, "録音ビット");
    label(bar, "PSTBar1_2", "stereo", {72, 1, 42, 17}, "録音チャンネル");
    QLabel* track = label(bar, "PSTBar1_3", " Track  Title  Artist", {116, 1, 120, 17});
    QLabel* tm = label(bar, "PSTBat_JK", "TM", {238, 1, 27, 17}, "タイマー実行中");
    tm->setAlignment(Qt::AlignCenter);
    tm->setAutoFillBackground(true);
    QPalette red = tm->palette();
    red.setColor(QPalette::Window, Qt::red);
    red.setColor(QPalette::WindowText, Qt::white);
    tm->setPalette(red);
    tm->hide();
    return {bar, track, tm};
}

QFrame* buildStartupBanner(QWidget* client, const QString& title) {
    QFrame* banner = build::panel(client, "PanelOPEN", client->rect());
    banner->setAutoFillBackground(true);
    QPalette lime = banner->palette();
    lime.setColor(QPalette::Window, QColor(0, 255, 0));
    lime.setColor(QPalette::WindowText, Qt::black);
    banner->setPalette(lime);
    auto* text = new QLabel(title, banner);
    text->setObjectName(QStringLiteral("LabelOPEN"));
    QFont font = text->font();
    font.setPixelSize(22);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    text->setFont(font);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    auto* layout = new QVBoxLayout(banner);
    layout->addWidget(text);
    return banner;
}

}  // namespace sondex
