#include "core/RecordingLog.h"
#include "platform/mci/Leftovers.h"
#include "recording/LeftoverFiles.h"
#include "support/FakeDesktop.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace sondex;

namespace {

const QDateTime kFirst(QDate(2026, 12, 6), QTime(13, 5, 9));

// Twelve leftovers whose times run backwards against their names, a minute apart.
void writeTwelve(const QString& folder) {
    for (int i = 0; i < 12; ++i) {
        QFile file(
            QDir(folder).filePath(QStringLiteral("~MCI%1.TMP").arg(i, 5, 10, QLatin1Char('0'))));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1000 + i, '\0'));
        file.flush();
        file.setFileTime(kFirst.addSecs(60 * (11 - i)), QFileDevice::FileModificationTime);
    }
}

}  // namespace

TEST(LeftoverFiles, ShowListsTheTenEarliestAndCountsAll) {
    QTemporaryDir temp;
    writeTwelve(temp.path());
    QFile(temp.filePath(QStringLiteral("other.TMP"))).open(QIODevice::WriteOnly);
    QDir(temp.path()).mkdir(QStringLiteral("~MCI99999.TMP"));  // a folder is no leftover

    const QStringList lines = leftovers::showText(leftovers::kTmp, temp.path()).split(u'\n');
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[0], u"環境変数TMP=");
    EXPECT_EQ(lines[1], temp.path());
    EXPECT_EQ(lines[3], u"録音一時ファイル名：12個");
    EXPECT_EQ(lines[4], u"~MCI00011.TMP  26/12/06 日 13:05:09        1,011 Byte ");
    EXPECT_EQ(lines[13], u"~MCI00002.TMP  26/12/06 日 13:14:09        1,002 Byte ");
    EXPECT_EQ(lines[14], u"");

    EXPECT_EQ(leftovers::showText(leftovers::kTemp, QString()),
              u"環境変数TEMP=\n設定されていません・・・\n\n録音一時ファイル名：\nなし");

    // The variable is read as 299 bytes at most; a 4-byte character across the
    // cut goes whole.
    const QByteArray saved = qgetenv("TMP");
    const QString base = QStringLiteral("/") + QString(296, u'd');
    qputenv("TMP", (base + QStringLiteral("\U0001F4BF/x")).toUtf8());
    EXPECT_EQ(leftovers::variableFolder(leftovers::kTmp), base);
    qputenv("TMP", (base + QStringLiteral("ab\U0001F4BF")).toUtf8());
    EXPECT_EQ(leftovers::variableFolder(leftovers::kTmp), base + u"ab");
    qputenv("TMP", saved);
}

TEST(LeftoverFiles, DeleteAsksForEachAndDeletesOnlyWhatIsConfirmedAndFree) {
    QTemporaryDir temp;
    writeTwelve(temp.path());
    QStringList questions, told;
    const leftovers::DeletePrompts no{[&](const QString& q) { return questions.append(q), false; },
                                      [&](const QString& m) { told.append(m); }};
    leftovers::deleteWithConfirmation(temp.path() + u'/', no);
    EXPECT_EQ(questions.size(), 12);
    EXPECT_TRUE(told.isEmpty());
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files).size(), 12);
    EXPECT_EQ(
        questions[0],
        temp.path() + QStringLiteral("\n~MCI00011.TMP  26/12/06 日 13:05:09        1,011 Byte \n"
                                     "このファイルを削除してよろしいですか？？？"));

    // A take that is still recording cannot be deleted; the loop goes on.
    const int holder = ::open(
        QFile::encodeName(temp.filePath(QStringLiteral("~MCI00005.TMP"))).constData(), O_RDONLY);
    ASSERT_TRUE(mci::lockRecordingFile(holder));
    const leftovers::DeletePrompts yes{[](const QString&) { return true; },
                                       [&](const QString& m) { told.append(m); }};
    leftovers::deleteWithConfirmation(temp.path(), yes);
    ::close(holder);
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("~MCI00005.TMP")});
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].startsWith(QStringLiteral("ファイルの削除に失敗しました・・・\n") +
                                   temp.path() + QStringLiteral("\n~MCI00005.TMP  ")));

    told.clear();
    leftovers::deleteWithConfirmation(QString(), yes);
    EXPECT_EQ(told,
              QStringList{QStringLiteral(
                  "設定されていません・・・\nに、録音一時ファイルは、ありませんでした・・・")});
}

TEST(LeftoverFiles, RecoveryTakesTheNextAutomaticNamesAndLogsEach) {
    QTemporaryDir temp, recordings;
    for (const char* name : {"~MCI00001.TMP", "~MCI00002.TMP"}) {
        QFile file(temp.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(mci::canonicalWavHeader({8000, 1, 8}, 0) + QByteArray(8000, '\x80'));
    }
    QFile(recordings.filePath(QStringLiteral("wav0000.wav"))).open(QIODevice::WriteOnly);
    test::FakeDesktop desktop;
    RecordingLog log(recordings.path() + u'/', desktop);

    const QList<mci::Recoverable> found = leftovers::findRecoverable({temp.path()});
    ASSERT_EQ(found.size(), 2);
    const QList<leftovers::Recovered> results =
        leftovers::recoverAll(found, recordings.path() + u'/', log, kFirst);
    EXPECT_TRUE(leftovers::recoveryFailures(results).isEmpty());
    QStringList names;
    for (const auto& result : results) names.append(QFileInfo(result.to).fileName());
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("wav0001.wav"), QStringLiteral("wav0002.wav")}));
    ASSERT_EQ(log.lines().size(), 2);
    EXPECT_TRUE(log.lines()[0].contains(u" <復旧 ~MCI0000"));
    EXPECT_TRUE(leftovers::findRecoverable({temp.path()}).isEmpty());
}
