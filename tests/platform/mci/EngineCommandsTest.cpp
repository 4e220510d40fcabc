#include "platform/mci/Engine.h"
#include "support/FileBytes.h"
#include "support/pulse/TonePlayer.h"
#include "TestFiles.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace sondex::mci;
using sondex::mci::test::NoticeLog;
using sondex::test::readBytes;
using sondex::test::writeBytes;

namespace {

// These tests need no sound server: PULSE_SERVER points at a dead socket.
class EngineCommands : public ::testing::Test, protected test::EngineClient {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        templatePath = dir.filePath(QStringLiteral("録音 テンプレート.wav"));
        ASSERT_TRUE(test::writeTemplateWav(templatePath, 44100, 16, 2));
        options.temporaryFolder = dir.filePath(QStringLiteral("tmp"));
        QDir().mkpath(options.temporaryFolder);
    }

    int openTemplate() {
        return send(QStringLiteral("Open \"%1\" alias tavikREC buffer 4 wait").arg(templatePath));
    }

    QTemporaryDir dir;
    QString templatePath;
    EngineOptions options;
};

}  // namespace

TEST_F(EngineCommands, OpenedDeviceAnswersInAnyLetterCase) {
    engine = std::make_unique<Engine>(options);
    ASSERT_EQ(openTemplate(), 0);
    for (const auto& [command, answer] : {std::pair{"capability tavikREC can record", "true"},
                                          {"CAPABILITY TAVIKrec Can Save wait", "true"},
                                          {"status TavikREC position wait", "0"},
                                          {"status tavikrec samplespersec", "44100"},
                                          {"status tavikREC mode", "stopped"}}) {
        EXPECT_EQ(send(QString::fromLatin1(command)), 0) << command;
        EXPECT_EQ(reply, QLatin1String(answer)) << command;
    }
    EXPECT_EQ(send(QStringLiteral("stop tavikREC wait")), 0);
    EXPECT_EQ(send(QStringLiteral("close TAVIKREC wait")), 0);
    EXPECT_EQ(send(QStringLiteral("status tavikREC position")), toCode(Error::UnknownAlias));
}

// The parser's own errors are checked on the parser; these need an engine.
TEST_F(EngineCommands, EveryMisuseGetsItsOwnError) {
    engine = std::make_unique<Engine>(options);
    ASSERT_EQ(openTemplate(), 0);
    const QString missing = dir.filePath(QStringLiteral("none.wav"));
    const QString notWav = dir.filePath(QStringLiteral("bad.wav"));
    ASSERT_TRUE(writeBytes(notWav, "RIFX not a wave header at all, just text............................"));

    const QList<std::pair<QString, Error>> cases = {
        {QStringLiteral("status tavikCD position"), Error::UnknownAlias},
        {QStringLiteral("open \"%1\" alias TAVIKREC").arg(templatePath), Error::AliasInUse},
        {QStringLiteral("open cdaudio!Q: alias tavikCD wait"), Error::NoSuchCdUnit},
        {QStringLiteral("Open \"/m/曲.mid\" alias tavikMID wait"), Error::FileNotFound},
        {QStringLiteral("open \"/m/file.xyz\" alias q"), Error::UnknownDeviceType},
        {QStringLiteral("open \"%1\" alias q").arg(missing), Error::FileNotFound},
        {QStringLiteral("open \"%1\" alias q").arg(notWav), Error::BadWaveHeader},
        {QStringLiteral("play tavikREC"), Error::UnsupportedCommand},
        {QStringLiteral("seek tavikREC to 0"), Error::UnsupportedCommand},
        {QStringLiteral("status tavikREC"), Error::MissingArgument},
        {QStringLiteral("status tavikREC colour"), Error::UnknownKeyword},
        {QStringLiteral("capability tavikREC can fly"), Error::UnknownKeyword},
        {QStringLiteral("save tavikREC"), Error::MissingArgument},
        {QStringLiteral("save tavikREC \"a.wav\" \"b.wav\""), Error::UnknownKeyword},
        {QStringLiteral("save tavikREC \"\""), Error::BadArgument},
        {QStringLiteral("set tavikREC time format furlongs"), Error::BadArgument},
        {QStringLiteral("set tavikREC time format"), Error::MissingArgument},
        {QStringLiteral("set tavikREC door open"), Error::UnknownKeyword},
        {QStringLiteral("record tavikREC wait"), Error::WaitNotPossible},
        {QStringLiteral("record tavikREC from 0"), Error::UnknownKeyword},
        {QStringLiteral("save tavikREC \"/no/such/folder/x.wav\""), Error::FolderMissing},
        {QStringLiteral("record tavikREC"), Error::SoundServerUnavailable},
    };
    for (const auto& [text, error] : cases)
        EXPECT_EQ(send(text), toCode(error)) << text.toStdString();
    // A recording that never began leaves no temporary file behind.
    EXPECT_TRUE(QDir(options.temporaryFolder).entryList(QDir::Files).isEmpty());
}

TEST_F(EngineCommands, EveryErrorCodeHasItsOwnJapaneseText) {
    engine = std::make_unique<Engine>(options);
    QSet<QString> texts;
    for (int code = toCode(Error::EmptyCommand); code <= toCode(Error::WriteFailed); ++code) {
        const QString text = engine->errorText(code);
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(text.contains(QString::number(code))) << "code " << code << " has no text";
        EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0x3000; }));
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), toCode(Error::WriteFailed) - toCode(Error::EmptyCommand) + 1);
    EXPECT_TRUE(engine->errorText(99999).contains(u"99999"));
}

TEST_F(EngineCommands, NoticesArriveQueuedWithTheDeviceIdAndIdsAreNotReused) {
    engine = std::make_unique<Engine>(options);
    NoticeLog log;
    ASSERT_EQ(send(QStringLiteral("open \"%1\" alias first notify").arg(templatePath), log.target()), 0);
    ASSERT_EQ(send(QStringLiteral("open \"%1\" alias second").arg(templatePath)), 0);
    ASSERT_EQ(send(QStringLiteral("status second position notify"), log.target()), 0);
    // A failed notify command posts nothing.
    ASSERT_NE(send(QStringLiteral("status second colour notify"), log.target()), 0);
    ASSERT_EQ(send(QStringLiteral("close first notify"), log.target()), 0);
    // A device opened after a close takes a new id, never the closed one's.
    ASSERT_EQ(send(QStringLiteral("open \"%1\" alias third notify").arg(templatePath), log.target()), 0);
    EXPECT_TRUE(log.notices.isEmpty()) << "a notice arrived inside sendString";
    ASSERT_TRUE(log.waitFor(4));
    test::spinFor(50);
    ASSERT_EQ(log.notices.size(), 4);
    EXPECT_EQ(log.notices[0].code, NotifySuccessful);
    EXPECT_EQ(log.notices[0].deviceId, 1);
    EXPECT_EQ(log.notices[1].deviceId, 2);
    EXPECT_EQ(log.notices[2].deviceId, 1);
    EXPECT_EQ(log.notices[3].deviceId, 3);
}

TEST_F(EngineCommands, AnOpenedWavKeepsItsSamples) {
    engine = std::make_unique<Engine>(options);
    const QString existing = dir.filePath(QStringLiteral("a.wav"));
    ASSERT_TRUE(sondex::test::writeToneFile(existing, 22050, 440, 0.5, 5.0));
    const QByteArray before = readBytes(existing);
    ASSERT_EQ(send(QStringLiteral("open \"%1\" alias r").arg(existing)), 0);
    ASSERT_EQ(send(QStringLiteral("status r length")), 0);
    EXPECT_EQ(reply, u"5000");
    ASSERT_EQ(send(QStringLiteral("status r position")), 0);
    EXPECT_EQ(reply, u"0") << "a play starts at the beginning";
    // Saved under its own name and under another: every sample stays, under the canonical header.
    const QString other = dir.filePath(QStringLiteral("b.wav"));
    ASSERT_EQ(send(QStringLiteral("save r \"%1\"").arg(other)), 0);
    ASSERT_EQ(send(QStringLiteral("save r \"%1\"").arg(existing)), 0);
    ASSERT_EQ(send(QStringLiteral("close r")), 0);
    for (const QString& path : {existing, other}) {
        const QByteArray saved = readBytes(path);
        EXPECT_EQ(saved.size(), 44 + 5 * 22050 * 4) << path.toStdString();
        EXPECT_EQ(saved.mid(44), before.right(saved.size() - 44)) << path.toStdString();
    }
    EXPECT_TRUE(QDir(options.temporaryFolder).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(EngineCommands, ADamagedOrNonPcmWavIsRefusedAndLeftAlone) {
    engine = std::make_unique<Engine>(options);
    QByteArray noData = test::templateWavBytes(44100, 16, 2).left(50) + QByteArray(4000, '\x11');
    QByteArray floating = test::templateWavBytes(44100, 16, 2) + QByteArray(4000, '\x22');
    floating[20] = 3;  // IEEE float
    QByteArray cut = test::templateWavBytes(44100, 16, 2).left(30);
    for (const QByteArray& bytes : {noData, floating, cut}) {
        const QString path = dir.filePath(QStringLiteral("damaged.wav"));
        ASSERT_TRUE(writeBytes(path, bytes));
        EXPECT_EQ(send(QStringLiteral("open \"%1\" type waveaudio alias r").arg(path)),
                  toCode(Error::BadWaveHeader));
        // A whole format chunk of another kind goes to the music file player, which refuses this one.
        EXPECT_EQ(send(QStringLiteral("open \"%1\" alias r").arg(path)),
                  toCode(bytes == floating ? Error::UnsupportedMusicFile : Error::BadWaveHeader));
        EXPECT_EQ(readBytes(path), bytes);
    }
    // A data chunk that claims more than the file holds gives what is there, in whole frames.
    QByteArray shortData = test::templateWavBytes(44100, 16, 2) + QByteArray(4003, '\x33');
    qToLittleEndian<quint32>(1000000, shortData.data() + 54);
    const QString path = dir.filePath(QStringLiteral("short.wav"));
    ASSERT_TRUE(writeBytes(path, shortData));
    ASSERT_EQ(send(QStringLiteral("open \"%1\" alias r").arg(path)), 0);
    ASSERT_EQ(send(QStringLiteral("set r time format bytes")), 0);
    ASSERT_EQ(send(QStringLiteral("status r length")), 0);
    EXPECT_EQ(reply, u"4000");
}

TEST_F(EngineCommands, CommandsOfAnyLengthAreTakenWhole) {
    engine = std::make_unique<Engine>(options);
    // Far past the old 300-character slots; each name stays within the file system's 255 bytes.
    QString deepFolder = dir.path();
    for (int level = 0; level < 6; ++level) deepFolder += QLatin1Char('/') + QString(80, QChar(u'長'));
    ASSERT_TRUE(QDir().mkpath(deepFolder));
    const QString longTemplate = deepFolder + QLatin1Char('/') + QString(80, QChar(u'あ')) + QStringLiteral(" x.wav");
    ASSERT_TRUE(test::writeTemplateWav(longTemplate, 8000, 8, 1));
    ASSERT_EQ(send(QStringLiteral("open \"%1\" alias tavikREC").arg(longTemplate)), 0);
    ASSERT_EQ(send(QStringLiteral("info tavikREC file")), 0);
    EXPECT_EQ(reply, longTemplate);
    EXPECT_EQ(send(QStringLiteral("status tavikREC ") + QString(100000, QLatin1Char('x'))),
              toCode(Error::UnknownKeyword));
}

// Generated and mutated command strings: every one gets a result, none crashes or hangs.
TEST_F(EngineCommands, MalformedCommandsNeverCrash) {
    // Saves of the generated texts land in the scratch folder, never beside the test.
    const QString oldCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    engine = std::make_unique<Engine>(options);
    QRandomGenerator random(20240611);
    const QStringList words = {
        QStringLiteral("open"), QStringLiteral("close"), QStringLiteral("record"), QStringLiteral("stop"),
        QStringLiteral("save"), QStringLiteral("status"), QStringLiteral("set"), QStringLiteral("info"),
        QStringLiteral("capability"), QStringLiteral("play"), QStringLiteral("tavikREC"),
        QStringLiteral("TAVIKrec"), QStringLiteral("all"), QStringLiteral("alias"), QStringLiteral("buffer"),
        QStringLiteral("type"), QStringLiteral("wait"), QStringLiteral("notify"), QStringLiteral("position"),
        QStringLiteral("time"), QStringLiteral("format"), QStringLiteral("samples"), QStringLiteral("can"),
        QStringLiteral("cdaudio!E:"), QStringLiteral("\""), QStringLiteral("\"\""), QStringLiteral("9"),
        QStringLiteral("-1"), QStringLiteral("99999999999999999999"), QStringLiteral("録音"),
        QStringLiteral("\"") + templatePath + QStringLiteral("\""), QStringLiteral("x.mid"),
        QStringLiteral("\"/no/such/dir/f.wav\""), QStringLiteral("media present"), QStringLiteral("\t"),
        QString(QChar(0)), QString(QChar(0xFFFF)), QString(QChar(0xD800)),
    };
    NoticeLog log;
    int failures = 0;
    for (int i = 0; i < 100000; ++i) {
        QString text;
        const int count = random.bounded(8);
        for (int w = 0; w < count; ++w) {
            text += words[random.bounded(int(words.size()))];
            if (random.bounded(4)) text += QLatin1Char(' ');
        }
        // Mutations: stray characters, cut texts, doubled quotes.
        if (random.bounded(3) == 0 && !text.isEmpty())
            text.insert(random.bounded(int(text.size())), QChar(char16_t(random.bounded(0x20, 0x3100))));
        if (random.bounded(5) == 0) text.truncate(random.bounded(int(text.size()) + 1));
        // A real capture would wait for the dead server; the parser is what is tried here.
        if (text.contains(u"record", Qt::CaseInsensitive) && !text.contains(u"wait", Qt::CaseInsensitive))
            text.replace(QStringLiteral("record"), QStringLiteral("recordx"), Qt::CaseInsensitive);
        QString answer;
        const int code = engine->sendString(text, answer, log.target());
        if (code != 0) {
            ++failures;
            ASSERT_FALSE(engine->errorText(code).isEmpty()) << text.toStdString();
        }
    }
    EXPECT_GT(failures, 50000);
    test::spinFor(10);
    QDir::setCurrent(oldCurrent);
}
