#include "core/FormatCode.h"
#include "core/WavInspector.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace sondex {
namespace {

template <typename T>
QByteArray le(T v) {
    QByteArray b(sizeof(T), '\0');
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray header(const char* id, quint32 size) {
    return QByteArray(id, 4) + le(size);
}
QByteArray chunk(const char* id,
                 const QByteArray& body) {  // padded to even length, as RIFF lays it out
    return header(id, quint32(body.size())) + body + QByteArray(body.size() % 2, '\0');
}
QByteArray fmt(int rate, int channels, int bits, int tag = 1, int blockAlign = -1) {
    if (blockAlign < 0) blockAlign = channels * bits / 8;
    return chunk("fmt ", le(quint16(tag)) + le(quint16(channels)) + le(quint32(rate)) +
                             le(quint32(rate * blockAlign)) + le(quint16(blockAlign)) +
                             le(quint16(bits)));
}
QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + le(quint32(chunks.size() + 4)) + "WAVE" + chunks;
}
// Declares dataSize bytes of samples; only two are there, as only headers are read.
QByteArray withData(const QByteArray& format, quint32 dataSize) {
    return riff(format + header("data", dataSize) + "xx");
}
QByteArray pcm(int rate, int channels, int bits, quint32 dataSize) {
    return withData(fmt(rate, channels, bits), dataSize);
}

class WavInspectorTest : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes) {
        QFile file(path);
        // Overwrite, then cut: truncating to zero first makes ext4 flush the file each time.
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        file.write(bytes);
        file.resize(bytes.size());
        return path;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("録音 1.wav"));
};

TEST_F(WavInspectorTest, GoodFilesGiveCodeDurationAndDeclaredSize) {
    const struct {
        QByteArray bytes;
        const char* code;
        const char* duration;
        qint64 size;
    } cases[] = {
        {pcm(44100, 2, 16, 1764000), "44S16", "0.10", 44 + 1764000},
        {pcm(8000, 1, 8, 89999 * 8), " 8M 8", "1.29",
         44 + 89999 * 8},  // seconds are cut, not rounded
        {pcm(8000, 1, 8, 60000 * 8), " 8M 8", "1.00", 44 + 60000 * 8},
        {pcm(8000, 1, 8, 59999 * 8), " 8M 8", "0.59", 44 + 59999 * 8},
        {pcm(11025, 1, 8, 11025), "11M 8", "0.01", 44 + 11025},
        {pcm(48000, 3, 16, 6000), "48 16", "0.00", 44 + 6000},
        {pcm(8000, 1, 8, 0xFFFFFFFFu), " 8M 8", "8947.50",
         44 + qint64(0xFFFFFFFFu)},  // 536,870,912 ms
        {riff(chunk("LIST", "INFO1") + fmt(22050, 1, 16) + chunk("data", "abcdefgh")), "22M16",
         "0.00", 66},
    };
    for (const auto& c : cases) {
        const WavSummary s = InspectWav(write(c.bytes));
        EXPECT_EQ(s.errorText, QString());
        EXPECT_EQ(s.formatCode, QString::fromLatin1(c.code));
        EXPECT_EQ(s.duration, QString::fromLatin1(c.duration));
        EXPECT_EQ(s.declaredSize, c.size) << c.code;
    }
    EXPECT_EQ(formatCode(50, 1, 8), QStringLiteral("  M 8"));  // absurd rates keep five characters
}

TEST_F(WavInspectorTest, EveryFaultHasItsMessageAndTheFileFieldsStillComeBack) {
    const QByteArray good = pcm(44100, 2, 16, 1000);
    const QByteArray f = fmt(44100, 2, 16);
    const char* noData = "データエリアが見つかりませんでした・・・GW\n";
    const struct {
        QByteArray bytes;
        const char* message;
        bool withPath;
    } cases[] = {
        {good.left(45), "WAVファイルのサイズが小さすぎます・・・GW\n", true},
        {"RIFX" + good.mid(4), "ファイル形式が「RIFF」ではありません・・・GW", false},
        {good.left(8) + "AVI " + good.mid(12), "WAVEファイルではありません・・・GW", false},
        {withData(chunk("LIST", QByteArray(40, 'x')), 8),
         "WAVフォーマットが見つかりませんでした・・・GW", false},
        {withData(chunk("JUNK", QByteArray(4100, 'j')) + f, 8),
         "WAVフォーマットが見つかりませんでした・・・GW", false},
        {withData(chunk("fmt ", f.mid(8, 14)), 8) + "xx",
         "フォーマットデータが不足しています・・・GW", false},
        {riff(chunk("JUNK", QByteArray(4068, 'j')) + f),
         "フォーマットデータが不足しています・・・GW", false},  // fmt data at 4096
        {riff(f + chunk("LIST", "abcd")), noData, true},
        {riff(f + chunk("LIST", "abcd") + "data" + le(quint16(8))), noData, true},
        {withData(f + header("JUNK", 0xFFFFFFF8u), 8), noData, true},
        {pcm(44100, 2, 16, 0), "データがありません・・・GW", false},
        {withData(fmt(44100, 1, 4, 17, 1), 8), "圧縮データは変換できません・・・GW", false},
        {withData(fmt(44100, 2, 16, 1, 0), 8), "１秒当たりのバイト数が異状です・・・GW", false},
        {withData(fmt(-5, 1, 8), 8), "１秒当たりのバイト数が異状です・・・GW", false},
        {withData(fmt(24, 1, 8), 8), "40ms当たりのバイト数が異状です・・・GW", false},
        {withData(fmt(48000, 1, 160), 8), "総読み込みバイト数が異状です・・・GW", false},
        {withData(fmt(44100, 2, 0, 1, 4), 8), "サンプルが異状です・・・GW", false},
    };
    for (const auto& c : cases) {
        const WavSummary s = InspectWav(write(c.bytes));
        EXPECT_EQ(s.errorText, QString::fromUtf8(c.message) + (c.withPath ? path : QString()));
        EXPECT_EQ(s.fileName + s.folder, QStringLiteral("録音 1.wav") + dir.path() + u'/');
    }
    const QString cannotOpen = QStringLiteral("WAVファイルの読み出しに失敗しましたOP・・・GW");
    EXPECT_EQ(InspectWav(dir.filePath(QStringLiteral("gone.wav"))).errorText, cannotOpen);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.wav")));
    EXPECT_EQ(InspectWav(dir.filePath(QStringLiteral("folder.wav"))).errorText, cannotOpen);
}

TEST_F(WavInspectorTest, FileDateUsesJapaneseDayNamesAndTheFileStaysUntouched) {
    const QByteArray bytes = pcm(44100, 2, 16, 1000);
    const QDateTime tuesday(QDate(2024, 3, 5), QTime(7, 8, 9));
    {
        QFile file(write(bytes));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(tuesday, QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(InspectWav(path).fileDate, QStringLiteral("24/03/05 火 07:08:09"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    EXPECT_EQ(QFileInfo(path).lastModified(), tuesday);
}

TEST_F(WavInspectorTest, DamagedHeadersGiveAMessageOfTheTableAndNeverCrash) {
    QRandomGenerator random(20240305);
    const QByteArray good =
        riff(chunk("LIST", "INFO1") + fmt(44100, 2, 16) + header("data", 1000) + "xx");
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = good.left(random.bounded(good.size() + 1));
        for (int n = random.bounded(4); n > 0 && !bytes.isEmpty(); --n)
            bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
        if (round % 4 == 0) {  // garbage after a RIFF heading
            bytes = good.left(12) + QByteArray(random.bounded(300), '\0');
            for (qsizetype i = 12; i < bytes.size(); ++i) bytes[i] = char(random.bounded(256));
        }
        const WavSummary s = InspectWav(write(bytes));
        EXPECT_TRUE(s.ok() ||
                    s.errorText.section(u'\n', 0, 0).endsWith(QStringLiteral("・・・GW")));
    }
}

}  // namespace
}  // namespace sondex
