#include "shell/TrayMenu.h"

#include "ui/Commands.h"

#include <QAction>
#include <QMenu>

namespace sondex {

TrayMenuCommands buildTrayMenu(QWidget& owner, Commands& c) {
    TrayMenuCommands s;
    QMenu* m = s.PopupMenu1 = c.addMenu(&owner, "PopupMenu1");
    s.TRALLCD = c.add(m, "TRALLCD", "全CDサーチ");
    s.TRCD1 = c.add(m, "TRCD1", "１CDサーチ");
    m->addSeparator();
    s.TR0 = c.add(m, "TR0", "CD再生");
    s.TR1 = c.add(m, "TR1", "一時停止");
    s.TR5 = c.add(m, "TR5", "再開");
    s.TR2 = c.add(m, "TR2", "前のトラック");
    s.TR3 = c.add(m, "TR3", "次のトラック");
    s.TR4 = c.add(m, "TR4", "CD停止");
    s.TR6 = c.add(m, "TR6", "リビート", true);
    s.TRSAVE = c.add(m, "TRSAVE", "録音する", true);
    m->addSeparator();
    s.Late0 = c.add(m, "Late0", "8000", true);
    s.Late1 = c.add(m, "Late1", "11025", true);
    s.Late2 = c.add(m, "Late2", "12000", true);
    s.Late3 = c.add(m, "Late3", "16000", true);
    s.Late4 = c.add(m, "Late4", "22050", true);
    s.Late5 = c.add(m, "Late5", "24000", true);
    s.Late6 = c.add(m, "Late6", "32000", true);
    s.Late7 = c.add(m, "Late7", "44100", true);
    s.Late8 = c.add(m, "Late8", "48000", true);
    m->addSeparator();
    s.Bits8 = c.add(m, "Bits8", "8 Bits", true);
    s.Bits16 = c.add(m, "Bits16", "16 Bits", true);
    s.mono = c.add(m, "mono", "ﾓﾉﾗﾙ", true);
    s.stereo = c.add(m, "stereo", "ｽﾃﾚｵ", true);
    m->addSeparator();
    s.PST0 = c.add(m, "PST0", "自動立ち上げ CD再生", true);
    s.P5 = c.add(m, "P5", "使い方");
    s.TRIconOFF = c.add(m, "TRIconOFF", "常駐解除（元の画面に戻す）...");
    m->addSeparator();
    s.P2 = c.add(m, "P2", "終了");
    s.P3 = c.add(m, "P3", "このメニューを閉じる");
    // Play controls show only while a CD plays.
    for (QAction* play : {s.TR1, s.TR5, s.TR2, s.TR3, s.TR4}) play->setEnabled(false);
    s.TR5->setVisible(false);
    return s;
}

}  // namespace sondex
