#include "shell/TrayMenu.h"

#include "ui/Commands.h"

#include <QMenu>

namespace sondex {

QMenu* buildTrayMenu(QWidget& owner, Commands& c) {
    QMenu* m = c.addMenu(&owner, "PopupMenu1");
    c.addItems(m, {
        {"TRALLCD", "全CDサーチ"},
        {"TRCD1", "１CDサーチ"},
        {nullptr, nullptr},
        {"TR0", "CD再生"},
        {"TR1", "一時停止"},
        {"TR5", "再開"},
        {"TR2", "前のトラック"},
        {"TR3", "次のトラック"},
        {"TR4", "CD停止"},
        {"TR6", "リビート", true},
        {"TRSAVE", "録音する", true},
        {nullptr, nullptr},
        {"Late0", "8000", true},
        {"Late1", "11025", true},
        {"Late2", "12000", true},
        {"Late3", "16000", true},
        {"Late4", "22050", true},
        {"Late5", "24000", true},
        {"Late6", "32000", true},
        {"Late7", "44100", true},
        {"Late8", "48000", true},
        {nullptr, nullptr},
        {"Bits8", "8 Bits", true},
        {"Bits16", "16 Bits", true},
        {"mono", "ﾓﾉﾗﾙ", true},
        {"stereo", "ｽﾃﾚｵ", true},
        {nullptr, nullptr},
        {"PST0", "自動立ち上げ CD再生", true},
        {"P5", "使い方"},
        {"TRIconOFF", "常駐解除（元の画面に戻す）..."},
        {nullptr, nullptr},
        {"P2", "終了"},
        {"P3", "このメニューを閉じる"},
    });
    // Play controls show only while a CD plays.
    for (const char* name : {"TR1", "TR5", "TR2", "TR3", "TR4"}) c[name]->setEnabled(false);
    c["TR5"]->setVisible(false);
    return m;
}

}  // namespace sondex
