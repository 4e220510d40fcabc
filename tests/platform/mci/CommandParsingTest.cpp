#include "platform/mci/Command.h"
#include "platform/mci/OpenRequest.h"

#include <gtest/gtest.h>

using namespace sondex::mci;

namespace {

Command parsed(const QString& text) {
    const ParsedCommand result = parseCommand(text);
    EXPECT_EQ(result.error, Error::None) << text.toStdString();
    return result.command;
}

OpenRequest opened(const QString& text) {
    const ParsedOpen result = parseOpen(parsed(text));
    EXPECT_EQ(result.error, Error::None) << text.toStdString();
    return result.request;
}

}  // namespace

TEST(CommandParsing, KeywordsAndFlagsInAnyCaseAnywhereAfterTheDevice) {
    const Command c = parsed(QStringLiteral("  STATUS\tTavikMID  Notify length WAIT "));
    EXPECT_EQ(c.verb, u"status");
    EXPECT_EQ(c.device.text, u"TavikMID");
    EXPECT_TRUE(c.wait);
    EXPECT_TRUE(c.notify);
    ASSERT_EQ(c.args.size(), 1);
    EXPECT_TRUE(c.args[0].is(u"length"));
    EXPECT_EQ(c.phraseFrom(), u"length");
    EXPECT_EQ(parsed(QStringLiteral("status a Media  PRESENT")).phraseFrom(), u"media present");
}

TEST(CommandParsing, QuotedNamesKeepBlanksJapaneseAndFlagWords) {
    const Command c = parsed(
        QStringLiteral("save tavikREC \"/home/ユーザー/録音 フォルダ/wait notify.wav\" wait"));
    ASSERT_EQ(c.args.size(), 1);
    EXPECT_TRUE(c.args[0].quoted);
    EXPECT_EQ(c.args[0].text, QStringLiteral("/home/ユーザー/録音 フォルダ/wait notify.wav"));
    EXPECT_TRUE(c.wait);
    EXPECT_FALSE(c.notify);
    // A quoted keyword is a name, never a keyword.
    EXPECT_FALSE(parsed(QStringLiteral("status a \"position\"")).args[0].is(u"position"));
    EXPECT_TRUE(parsed(QStringLiteral("status a \"position\"")).phraseFrom().isEmpty());
    // A doubled quote inside is one quote of the name, never the end of the argument.
    const Command q = parsed(QStringLiteral("save tavikREC \"/tmp/a\"\" wait\"\".wav\" notify"));
    ASSERT_EQ(q.args.size(), 1);
    EXPECT_EQ(q.args[0].text, QStringLiteral("/tmp/a\" wait\".wav"));
    EXPECT_FALSE(q.wait);
    EXPECT_TRUE(q.notify);
}

TEST(CommandParsing, MalformedTextsGiveTheirErrors) {
    EXPECT_EQ(parseCommand(u"").error, Error::EmptyCommand);
    EXPECT_EQ(parseCommand(u" \t\n ").error, Error::EmptyCommand);
    EXPECT_EQ(parseCommand(u"fly tavikREC").error, Error::UnknownCommand);
    EXPECT_EQ(parseCommand(u"\"open\" tavikREC").error, Error::UnknownCommand);
    EXPECT_EQ(parseCommand(u"record").error, Error::MissingDeviceName);
    EXPECT_EQ(parseCommand(u"save tavikREC \"/tmp/x.wav").error, Error::UnterminatedQuote);
    EXPECT_EQ(parseCommand(u"open \"\" alias x").error, Error::None);
}

TEST(OpenRequests, TypeComesFromTypeWordElementOrExtension) {
    OpenRequest r = opened(QStringLiteral("Open \"/t/sondex.wav\" alias tavikREC buffer 4 wait"));
    EXPECT_EQ(r.typeName, u"waveaudio");
    EXPECT_EQ(r.element, u"/t/sondex.wav");
    EXPECT_EQ(r.alias, u"tavikREC");
    EXPECT_EQ(r.bufferSeconds, 4);

    r = opened(QStringLiteral("open cdaudio!E: alias tavikCD wait"));
    EXPECT_EQ(r.typeName, u"cdaudio");
    EXPECT_EQ(r.element, u"E:");

    r = opened(QStringLiteral("Open \"/m/曲 1.MID\" alias tavikMID wait"));
    EXPECT_EQ(r.typeName, u"sequencer");
    EXPECT_EQ(opened(QStringLiteral("open \"/m/a.aiff\" alias m")).typeName, u"mpegvideo");

    r = opened(QStringLiteral("open \"/x/data.bin\" type WaveAudio alias w"));
    EXPECT_EQ(r.typeName, u"waveaudio");
    EXPECT_EQ(r.element, u"/x/data.bin");

    r = opened(QStringLiteral("open cdaudio"));
    EXPECT_EQ(r.typeName, u"cdaudio");
    EXPECT_EQ(r.alias, u"cdaudio");
    EXPECT_TRUE(r.element.isEmpty());
    EXPECT_TRUE(opened(QStringLiteral("open \"/x/y.zzz\" alias q")).typeName.isEmpty());
}

TEST(OpenRequests, BadOptionsAreRefused) {
    const auto error = [](const QString& text) { return parseOpen(parseCommand(text).command).error; };
    EXPECT_EQ(error(QStringLiteral("open a.wav alias")), Error::MissingArgument);
    EXPECT_EQ(error(QStringLiteral("open a.wav alias x buffer")), Error::MissingArgument);
    EXPECT_EQ(error(QStringLiteral("open a.wav alias x buffer two")), Error::BadArgument);
    EXPECT_EQ(error(QStringLiteral("open a.wav alias x buffer 0")), Error::BadArgument);
    EXPECT_EQ(error(QStringLiteral("open a.wav alias x buffer 99999999999")), Error::BadArgument);
    EXPECT_EQ(error(QStringLiteral("open a.wav alias x loudly")), Error::UnknownKeyword);
    EXPECT_EQ(error(QStringLiteral("open a.wav alias \"\"")), Error::MissingArgument);
    EXPECT_EQ(error(QStringLiteral("open a.wav shareable alias x")), Error::None);
}
