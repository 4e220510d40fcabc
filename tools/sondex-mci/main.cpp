// sondex-mci: sends command strings to the device engine and prints what
// comes back. Commands come as arguments, or one per line on standard input.
// Each prints "<result code> <reply text>"; notices print "notify <alias> <code>";
// "sleep <ms>" waits while notices keep arriving.
//
// A CD unit is played the same way; its units come from CDDRIVES.INI in
// $XDG_CONFIG_HOME/TAVIK SOFT32/ (docs/cd-units.md has an example script):
//
//   sondex-mci "open cdaudio!E: alias tavikCD" "set tavikCD time format tmsf"
//              "play tavikCD from 2 to 3 notify" "sleep 200000" "close tavikCD"
//   (one command line: the arguments run in order)

#include "platform/mci/Engine.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTextStream>

#include <cstdio>

using namespace sondex::mci;

namespace {

// The alias a notice belongs to: the one the command names or opens.
QString aliasOf(const QString& text) {
    const ParsedCommand parsed = parseCommand(text);
    if (parsed.error != Error::None) return {};
    if (parsed.command.verb == u"open") return parseOpen(parsed.command).request.alias;
    return parsed.command.device.text;
}

void waitWhileNoticesArrive(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, int(qMax<qint64>(1, deadline.remainingTime())));
    } while (!deadline.hasExpired());
}

class Session {
public:
    void run(const QString& line) {
        const QString text = line.trimmed();
        if (text.startsWith(u"sleep ", Qt::CaseInsensitive)) {
            waitWhileNoticesArrive(text.mid(6).trimmed().toInt());
            return;
        }
        const QString alias = aliasOf(text);
        const NoticeTarget target{&receiver_, [alias, this](qint64 code, qint64) {
                                      out_ << "notify " << alias << ' ' << code << Qt::endl;
                                  }};
        QString reply;
        const int code = engine_.sendString(text, reply, target);
        out_ << code << (reply.isEmpty() ? QString() : QLatin1Char(' ') + reply) << Qt::endl;
        if (code != 0) err_ << "error " << code << ": " << engine_.errorText(code) << Qt::endl;
        QCoreApplication::processEvents();
    }

private:
    Engine engine_;
    QObject receiver_;
    QTextStream out_{stdout};
    QTextStream err_{stderr};
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Session session;
    const QStringList arguments = app.arguments().mid(1);
    if (!arguments.isEmpty()) {
        for (const QString& command : arguments) session.run(command);
    } else {
        QTextStream in(stdin);
        QString line;
        while (in.readLineInto(&line))
            if (!line.trimmed().isEmpty()) session.run(line);
    }
    // Notices posted by the last commands (a close ends a recording) still get printed.
    waitWhileNoticesArrive(50);
    return 0;
}
