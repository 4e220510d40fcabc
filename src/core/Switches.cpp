#include "core/Switches.h"

#include <QDir>
#include <QFileInfo>

#include <limits>

namespace sondex {

namespace {

bool isWholeNumber(const QString& text) {
    if (text.isEmpty()) return false;
    for (const QChar c : text) {
        if (!c.isDigit()) return false;
    }
    return true;
}

// A part of "m.s": empty counts as 0.
int part(const QString& text, bool& ok) {
    if (text.isEmpty()) return 0;
    ok = ok && isWholeNumber(text);
    return ok ? text.toInt(&ok) : 0;
}

}  // namespace

int timerSecondsFromSwitch(const QString& value) {
    const qsizetype dot = value.indexOf(u'.');
    if (dot < 0) {
        bool ok = false;
        const int seconds = value.toInt(&ok, 10);
        return ok && seconds >= 0 ? seconds : -1;
    }
    const QString minutes = value.left(dot);
    const QString seconds = value.mid(dot + 1);
    if (minutes.isEmpty() && seconds.isEmpty()) return -1;
    bool ok = true;
    const qint64 total = qint64(part(minutes, ok)) * 60 + part(seconds, ok);
    return ok && total <= std::numeric_limits<int>::max() ? static_cast<int>(total) : -1;
}

SwitchRequest parseSwitches(const QStringList& pieces, SwitchSource source) {
    SwitchRequest request;
    for (QString piece : pieces) {
        if (piece.isEmpty()) continue;
        // An existing file named by absolute path is taken as it is, before any upper-casing.
        if (QDir::isAbsolutePath(piece) && QFileInfo(piece).isFile()) {
            request.paths.append(QFileInfo(piece).absoluteFilePath());
            continue;
        }
        if (piece.startsWith(u'-')) piece[0] = u'/';
        if (!piece.startsWith(u'/')) continue;
        piece = piece.toUpper();
        if (piece == u"/RS") {
            request.RS = true;
        } else if (piece == u"/PC") {
            request.PC = true;
        } else if (piece == u"/CLOSE" && source == SwitchSource::Forwarded) {
            request.C = true;
        } else if (piece == u"/T") {
            request.T = true;
        } else if (piece == u"/N") {
            request.NE = 0;
        } else if (piece == u"/E") {
            request.NE = 1;
        } else if (piece == u"/W" || piece == u"/WC") {
            request.W = true;
        } else if (piece == u"/C") {
            request.C = true;
        } else if (piece.startsWith(u"/J")) {
            const int seconds = timerSecondsFromSwitch(piece.mid(2));
            if (seconds >= 0) request.J = seconds;
        }
    }
    return request;
}

SwitchRequest parseForwardedLine(const QString& line) {
    return parseSwitches(line.split(u'?'), SwitchSource::Forwarded);
}

}  // namespace sondex
