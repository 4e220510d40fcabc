#include "core/RecordingLog.h"

#include "platform/AppPaths.h"
#include "platform/DesktopServices.h"
#include "platform/ListFile.h"
#include "core/LogLines.h"

#include <QFileInfo>

namespace sondex {

namespace {

QString separator() {
    return QString(40, u'-');
}

}  // namespace

bool opensLogEditor(const LogDisplayOptions& options, LogSender sender) {
    if (options.exitArmed || options.powerOffArmed) return false;
    return !options.noMemo || sender != LogSender::RecordingEnd;
}

RecordingLog::RecordingLog(const QString& programFolder, DesktopServices& desktop)
    : filePath_(paths::withTrailingSlash(programFolder) + QStringLiteral("録音$$$$.TXT")),
      desktop_(desktop) {}

void RecordingLog::AddLogLine(const QString& line) {
    lines_.append(line);
}

RecordingLog::Shown RecordingLog::show(LogSender sender, const LogDisplayOptions& options,
                                       const QDateTime& now) {
    Shown shown;
    if (lines_.isEmpty()) return shown;
    shown.any = true;

    QStringList file;
    file << QStringLiteral("録音データ一覧　") + loglines::timestamp(now)
         << QString::number(lines_.size()) + QStringLiteral("個 録音しました。") << separator();
    file << lines_ << separator();
    shown.written = listfile::write(filePath_, file);

    // Opening a stale file from an earlier run would mislead, so a failed write opens nothing.
    if (shown.written && opensLogEditor(options, sender)) {
        desktop_.openFile(filePath_);  // not checked: without an editor nothing shows
        shown.opened = true;
    }
    return shown;
}

bool RecordingLog::openPrevious() {
    return QFileInfo(filePath_).isFile() && desktop_.openFile(filePath_);
}

LogMenuState RecordingLog::menuState() const {
    const bool any = !lines_.isEmpty();
    return {any, any, !any && QFileInfo(filePath_).isFile()};
}

}  // namespace sondex
