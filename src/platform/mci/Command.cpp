#include "platform/mci/Command.h"

#include <array>

namespace sondex::mci {

bool Token::is(QStringView keyword) const {
    return !quoted && text.compare(keyword, Qt::CaseInsensitive) == 0;
}

QString Command::phraseFrom(qsizetype first) const {
    QStringList words;
    for (qsizetype i = first; i < args.size(); ++i) {
        if (args[i].quoted) return {};
        words << args[i].text.toLower();
    }
    return words.join(QLatin1Char(' '));
}

namespace {

// Splits at blanks; a double quote opens a section that runs to the next
// single quote. Inside it a doubled quote stands for one, so that any file
// name can be given as one argument.
Error tokenize(QStringView text, QList<Token>& tokens) {
    Token current;
    bool inWord = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"')) {
            qsizetype from = i + 1;
            qsizetype close = text.indexOf(QLatin1Char('"'), from);
            for (;; close = text.indexOf(QLatin1Char('"'), from)) {
                if (close < 0) return Error::UnterminatedQuote;
                current.text += text.mid(from, close - from);
                if (close + 1 >= text.size() || text[close + 1] != QLatin1Char('"')) break;
                current.text += QLatin1Char('"');
                from = close + 2;
            }
            current.quoted = true;
            inWord = true;
            i = close;
        } else if (c.isSpace()) {
            if (inWord) tokens.append(std::exchange(current, Token{}));
            inWord = false;
        } else {
            current.text += c;
            inWord = true;
        }
    }
    if (inWord) tokens.append(current);
    return Error::None;
}

}  // namespace

ParsedCommand parseCommand(QStringView text) {
    ParsedCommand result;
    QList<Token> tokens;
    if (const Error error = tokenize(text, tokens); error != Error::None) {
        result.error = error;
        return result;
    }
    if (tokens.isEmpty()) {
        result.error = Error::EmptyCommand;
        return result;
    }
    Command& command = result.command;
    command.verb = tokens.front().text.toLower();
    if (tokens.front().quoted || !isKnownVerb(command.verb)) {
        result.error = Error::UnknownCommand;
        return result;
    }
    if (tokens.size() < 2) {
        result.error = Error::MissingDeviceName;
        return result;
    }
    command.device = tokens[1];
    for (qsizetype i = 2; i < tokens.size(); ++i) {
        if (tokens[i].is(u"wait"))
            command.wait = true;
        else if (tokens[i].is(u"notify"))
            command.notify = true;
        else
            command.args.append(tokens[i]);
    }
    return result;
}

bool isKnownVerb(const QString& lowerVerb) {
    static const std::array<QStringView, 20> verbs = {
        u"open",   u"close", u"record", u"play",   u"stop",       u"pause",   u"resume",
        u"seek",   u"save",  u"set",    u"status", u"info",       u"capability",
        u"cue",    u"delete", u"load",  u"cut",    u"copy",       u"paste",   u"sysinfo"};
    for (QStringView verb : verbs)
        if (verb == lowerVerb) return true;
    return false;
}

}  // namespace sondex::mci
