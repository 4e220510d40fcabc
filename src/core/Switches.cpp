#include "core/Switches.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace sondex {

namespace {

bool isDriveLetter(QChar c) { return c.unicode() < 128 && c.isLetter(); }

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

TrackFilePiece readTrackFilePiece(const QString& piece) {
    TrackFilePiece result;
    if (piece.size() < 3 || !isDriveLetter(piece[0]) || piece[1] != u':' ||
        !piece.endsWith(QStringLiteral(".cda"), Qt::CaseInsensitive))
        return result;
    // The name without folder and extension: after the last separator, or after "E:".
    const qsizetype start = std::max<qsizetype>({piece.lastIndexOf(u'\\'), piece.lastIndexOf(u'/'), 1}) + 1;
    const QString stem = piece.mid(start, piece.size() - 4 - start);
    if (stem.size() < 3) {
        result.kind = TrackFilePiece::Kind::TooShort;
        return result;
    }
    const QString digits = stem.right(2);
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (!isDigit(digits[0]) || !isDigit(digits[1])) {
        result.kind = TrackFilePiece::Kind::NoNumber;
        return result;
    }
    result.kind = TrackFilePiece::Kind::Track;
    result.track = {piece[0].toUpper(), digits.toInt()};
    return result;
}

namespace {

// A CD track file goes to the CD entries (and asks for CD play); true when the
// piece was one, whether it gave an entry or was dropped.
bool takeTrackFile(SwitchRequest& request, const QString& piece) {
    const TrackFilePiece file = readTrackFilePiece(piece);
    switch (file.kind) {
    case TrackFilePiece::Kind::Track:
        request.cdTracks.append(file.track);
        request.PC = true;
        return true;
    case TrackFilePiece::Kind::NoNumber:
        return true;
    case TrackFilePiece::Kind::TooShort:
    case TrackFilePiece::Kind::NotTrackFile:
        return false;
    }
    return false;
}

}  // namespace

SwitchRequest parseDroppedFiles(const QStringList& paths) {
    SwitchRequest request;
    for (const QString& path : paths) {
        if (takeTrackFile(request, path)) continue;
        // Dropped names are taken as they come: whether they still exist shows when they play.
        if (QDir::isAbsolutePath(path)) request.paths.append(QDir::cleanPath(path));
    }
    return request;
}

SwitchRequest parseSwitches(const QStringList& pieces, SwitchSource source) {
    SwitchRequest request;
    for (QString piece : pieces) {
        if (piece.isEmpty()) continue;
        if (takeTrackFile(request, piece)) continue;
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
