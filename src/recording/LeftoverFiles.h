#pragma once

#include "platform/mci/Leftovers.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace sondex {

class RecordingLog;

// The commands that show and delete the recording device's leftover
// temporary files in the folder an environment variable names, and the
// recovery of lost takes at start-up.
namespace leftovers {

struct Variant {
    const char* variable;
    const char* heading;
};
inline constexpr Variant kTemp{"TEMP", "環境変数TEMP=\n"};
inline constexpr Variant kTmp{"TMP", "環境変数TMP=\n"};

inline constexpr char kNotSet[] = "設定されていません・・・";

// The folder the variable names, as the commands read it: at most 299 bytes
// (the legacy buffer held 300 with its end mark), never ending inside a
// character; empty when the variable is not set.
QString variableFolder(const Variant& variant);

// One leftover as the boxes show it: the name, then the date and size texts.
struct Entry {
    QString name;
    QString rest;
};

// "  yy/mm/dd ddd hh:mm:ss " and " %11.0n Byte ".
QString dateText(const QDateTime& modified);
QString sizeText(qint64 bytes);

// The leftovers in the folder (none when it is empty: the variable is not
// set), in the order of their date texts.
QList<Entry> listEntries(const QString& folder);

// The show command's box for the variable's value.
QString showText(const Variant& variant, const QString& folder);

// The delete command: asks for each leftover in list order and deletes those
// confirmed; a file a running take holds counts as a failed deletion.
struct DeletePrompts {
    std::function<bool(const QString& question)> confirm;
    std::function<void(const QString& message)> tell;
};
void deleteWithConfirmation(const QString& folder, const DeletePrompts& prompts);

// The folders a take may have been left in: those TEMP, TMP and the device's
// temporary folder name, each once.
QStringList recoveryFolders();
QList<mci::Recoverable> findRecoverable(const QStringList& folders);

QString recoveryQuestion(const QList<mci::Recoverable>& found);

struct Recovered {
    QString from;
    QString to;  // empty when no automatic name was left
    mci::Error error = mci::Error::None;
};

// Saves each leftover in the recording folder (with its trailing "/") under
// the next automatic name and logs each one saved.
QList<Recovered> recoverAll(const QList<mci::Recoverable>& found, const QString& recordingFolder,
                            RecordingLog& log, const QDateTime& now);

// The message for the leftovers that could not be saved; empty when all were.
QString recoveryFailures(const QList<Recovered>& results);

}  // namespace leftovers
}  // namespace sondex
