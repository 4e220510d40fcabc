#include "recording/LeftoverFiles.h"

#include "core/AutomaticName.h"
#include "core/LogLines.h"
#include "core/PrintfText.h"
#include "core/RecordingLog.h"
#include "core/TextCut.h"
#include "core/WavInspector.h"
#include "platform/AppPaths.h"
#include "platform/JapaneseCalendar.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace sondex::leftovers {

namespace {

constexpr int kListedEntries = 10;

QString folderText(const QString& folder) {
    return folder.isEmpty() ? QString::fromUtf8(kNotSet) : folder;
}

// A take's length in words a user reads at a glance ("1分05秒"); the log's
// "mm:ss:cc" would read as hours in a question.
QString lengthText(qint64 milliseconds) {
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("%1分%2秒").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString variableFolder(const Variant& variant) {
    return cutToUtf8Bytes(qEnvironmentVariable(variant.variable), 299);
}

QString dateText(const QDateTime& modified) {
    return QStringLiteral("  ") + calendar::dateTimeText(modified) + u' ';
}

QString sizeText(qint64 bytes) {
    return u' ' + printf_text::grouped(bytes, 11) + QStringLiteral(" Byte ");
}

QList<Entry> listEntries(const QString& folder) {
    if (folder.isEmpty()) return {};
    // Sorted as "date<name<size", which puts them in the order of their date texts.
    QList<std::pair<QString, Entry>> keyed;
    for (const mci::LeftoverFile& file : mci::findLeftovers(folder)) {
        const QString date = dateText(file.modified);
        const QString size = sizeText(file.size);
        keyed.append({date + u'<' + file.name + u'<' + size, Entry{file.name, date + size}});
    }
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<Entry> entries;
    for (const auto& item : keyed) entries.append(item.second);
    return entries;
}

QString showText(const Variant& variant, const QString& folder) {
    const QList<Entry> entries = listEntries(folder);
    QString list = QStringLiteral("なし");
    QString count;
    if (!entries.isEmpty()) {
        list.clear();
        for (qsizetype i = 0; i < qMin<qsizetype>(entries.size(), kListedEntries); ++i)
            list += entries[i].name + entries[i].rest + u'\n';
        count = QString::number(entries.size()) + QStringLiteral("個");
    }
    return QString::fromUtf8(variant.heading) + folderText(folder) +
           QStringLiteral("\n\n録音一時ファイル名：") + count + u'\n' + list;
}

void deleteWithConfirmation(const QString& folder, const DeletePrompts& prompts) {
    const QList<Entry> entries = listEntries(folder);
    if (entries.isEmpty()) {
        prompts.tell(folderText(folder) +
                     QStringLiteral("\nに、録音一時ファイルは、ありませんでした・・・"));
        return;
    }
    const QString shown = paths::withoutTrailingSlash(folder);
    for (const Entry& entry : entries) {
        if (!prompts.confirm(shown + u'\n' + entry.name + entry.rest +
                             QStringLiteral("\nこのファイルを削除してよろしいですか？？？")))
            continue;
        if (!mci::deleteLeftover(QDir(folder).filePath(entry.name)))
            prompts.tell(QStringLiteral("ファイルの削除に失敗しました・・・\n") + folder + u'\n' +
                         entry.name + entry.rest);
    }
}

QStringList recoveryFolders() {
    QStringList folders;
    for (const QString& folder : {qEnvironmentVariable("TEMP"), qEnvironmentVariable("TMP"),
                                  paths::recordingTempFolder()}) {
        if (folder.isEmpty()) continue;
        const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
        if (!folders.contains(clean)) folders.append(clean);
    }
    return folders;
}

QList<mci::Recoverable> findRecoverable(const QStringList& folders) {
    QList<mci::Recoverable> found;
    for (const QString& folder : folders) found += mci::findRecoverable(folder);
    return found;
}

QString recoveryQuestion(const QList<mci::Recoverable>& found) {
    QString text = QStringLiteral("途中で止まった録音の一時ファイルが、%1個残っています：\n")
                       .arg(found.size());
    for (qsizetype i = 0; i < qMin<qsizetype>(found.size(), kListedEntries); ++i)
        text += found[i].path + u' ' + lengthText(found[i].milliseconds()) + u'\n';
    return text + QStringLiteral(
                      "\n録音フォルダーに、自動ファイル名で保存しますか？\n"
                      "（いいえ：次の起動の時に、もう一度たずねます）");
}

QList<Recovered> recoverAll(const QList<mci::Recoverable>& found, const QString& recordingFolder,
                            RecordingLog& log, const QDateTime& now) {
    QList<Recovered> results;
    for (const mci::Recoverable& leftover : found) {
        Recovered result{leftover.path, {}, mci::Error::FileNotFound};
        if (const std::optional<QString> name = nextAutomaticName(recordingFolder)) {
            result.to = *name;
            result.error = mci::recoverLeftover(leftover, *name);
        }
        if (result.error == mci::Error::None) {
            const loglines::Saved saved{result.to, leftover.milliseconds()};
            log.AddLogLine(loglines::manualLine(InspectWav(result.to), saved, now) +
                           QStringLiteral(" <復旧 ") + QFileInfo(leftover.path).fileName());
        }
        results.append(result);
    }
    return results;
}

QString recoveryFailures(const QList<Recovered>& results) {
    QString text;
    for (const Recovered& result : results) {
        if (result.error == mci::Error::None) continue;
        text += u'\n' + result.from + u'\n' +
                (result.to.isEmpty()
                     ? QStringLiteral("自動ファイル名(wav0000～wav9999)が残っていません。")
                     : mci::errorTextFor(mci::toCode(result.error)));
    }
    return text.isEmpty() ? text
                          : QStringLiteral("録音一時ファイルを保存できませんでした・・・") + text;
}

}  // namespace sondex::leftovers
