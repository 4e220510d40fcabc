#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace sondex {

class DesktopServices;

// The messages the window shows around the log commands.
namespace logtext {
inline constexpr char kClearQuestion[] = "録音記録削除：\n録音記録を削除してよろしいですか？？？";
inline constexpr char kClearCancelled[] = "録音記録削除を中止しました。";
inline constexpr char kPreviousFailed[] = "エラー：録音一覧表示に失敗しました・・・";
}  // namespace logtext

// Who asks for the log to be shown.
enum class LogSender {
    Menu,          // the menu item MKIROKU
    ClearCommand,  // MKIROKUCLR shows the log before it empties it
    MainWindow,    // the close sequence
    RecordingEnd,  // the end of a recording: an automatic display
};

// The options that keep the editor closed.
struct LogDisplayOptions {
    bool exitArmed = false;      // MF_AUTO_OFF
    bool powerOffArmed = false;  // MF_AUTO_OFF_WIN
    bool noMemo = false;         // No_Memo
};

// Whether showing the log opens it in the editor: never while the program is
// to close after recording, and with No_Memo only when a person asked for it.
bool opensLogEditor(const LogDisplayOptions& options, LogSender sender);

// Enabled states of the log's menu items when the start menu opens.
struct LogMenuState {
    bool show = false;      // MKIROKU
    bool clear = false;     // MKIROKUCLR
    bool previous = false;  // MS_REC_TXT
};

// The log of the recordings saved in this run, and its file "録音$$$$.TXT" in
// the program folder, rewritten whole each time the log is shown.
class RecordingLog {
public:
    RecordingLog(const QString& programFolder, DesktopServices& desktop);

    void AddLogLine(const QString& line);
    const QStringList& lines() const { return lines_; }
    QString filePath() const { return filePath_; }

    struct Shown {
        bool any = false;      // false: the list was empty and nothing happened
        bool written = false;  // the file now holds this run's log
        bool opened = false;   // the editor was asked to open it
    };
    // Writes the log file and, when opensLogEditor() says so, opens it. The
    // list keeps only the entries. After an automatic display that found
    // entries the caller goes on to its exit-after-recording check.
    Shown show(LogSender sender, const LogDisplayOptions& options, const QDateTime& now);

    void clear() { lines_.clear(); }

    // Opens the log file of an earlier run; false when there is none or no
    // program could open it (the caller shows logtext::kPreviousFailed).
    bool openPrevious();

    LogMenuState menuState() const;

private:
    QString filePath_;
    DesktopServices& desktop_;
    QStringList lines_;
};

}  // namespace sondex
