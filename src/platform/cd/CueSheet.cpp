#include "platform/cd/CueSheet.h"

#include "platform/TextDecoding.h"

#include <QRegularExpression>
#include <QStringList>

namespace sondex::cd {

namespace {

// The words of a line; a double-quoted word may hold blanks. An unclosed
// quote runs to the end of the line.
QStringList wordsOf(const QString& line) {
    QStringList words;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        while (i < n && line[i].isSpace())
            ++i;
        if (i >= n)
            break;
        if (line[i] == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            words.append(line.mid(i + 1, end - i - 1));
            i = end + 1;
        } else {
            const qsizetype begin = i;
            while (i < n && !line[i].isSpace())
                ++i;
            words.append(line.mid(begin, i - begin));
        }
    }
    return words;
}

// "mm:ss:ff" as frames, or -1.
qint64 timeOf(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,4}):(\\d{1,2}):(\\d{1,2})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return -1;
    const qint64 seconds = m.captured(2).toLongLong();
    const qint64 frames = m.captured(3).toLongLong();
    if (seconds >= 60 || frames >= kFramesPerSecond)
        return -1;
    return (m.captured(1).toLongLong() * 60 + seconds) * kFramesPerSecond + frames;
}

// A whole number 0..99 written with one or two digits, or -1.
int smallNumber(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\d{1,2}$"));
    return pattern.match(text).hasMatch() ? text.toInt() : -1;
}

bool setMode(CueTrack& track, const QString& mode) {
    struct Mode {
        const char* name;
        int sectorSize;
        bool audio;
    };
    static constexpr Mode modes[] = {
        {"AUDIO", 2352, true},       {"CDG", 2448, true},         {"MODE1/2048", 2048, false},
        {"MODE1/2352", 2352, false}, {"MODE2/2336", 2336, false}, {"MODE2/2352", 2352, false},
        {"CDI/2336", 2336, false},   {"CDI/2352", 2352, false},
    };
    for (const Mode& m : modes) {
        if (mode.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0) {
            track.sectorSize = m.sectorSize;
            track.audio = m.audio;
            return true;
        }
    }
    return false;
}

}  // namespace

QString CueReading::message() const {
    QString text;
    switch (error) {
    case CueError::None: return QString();
    case CueError::NotText: text = QStringLiteral("キューシートのテキストではありません。"); break;
    case CueError::UnknownCommand: text = QStringLiteral("読めない行があります。"); break;
    case CueError::NoFile: text = QStringLiteral("FILEとTRACKの指定がそろっていません。"); break;
    case CueError::UnsupportedFile:
        text = QStringLiteral("FILEの形式はBINARYかMOTOROLAにしてください。");
        break;
    case CueError::BadTrack: text = QStringLiteral("TRACKの番号か形式が正しくありません。"); break;
    case CueError::TrackOrder:
        text = QStringLiteral("トラック番号が1つずつ増えていません（01～99）。");
        break;
    case CueError::BadTime:
        text = QStringLiteral("時間が mm:ss:ff（ff は 0～74）になっていません。");
        break;
    case CueError::IndexOrder: text = QStringLiteral("INDEXの順序が正しくありません。"); break;
    case CueError::NoIndex01: text = QStringLiteral("INDEX 01 のないトラックがあります。"); break;
    case CueError::TooLarge: text = QStringLiteral("キューシートが大きすぎます。"); break;
    case CueError::FileShort:
        text = QStringLiteral("イメージファイルがキューシートの指定より短くなっています。");
        break;
    }
    return line > 0 ? QString::number(line) + QStringLiteral("行目：") + text : text;
}

CueReading parseCueSheet(QByteArrayView text) {
    CueReading r;
    auto fail = [&r](CueError error, int line) {
        r.error = error;
        r.line = line;
        r.sheet = {};
        return r;
    };
    if (text.contains('\0'))
        return fail(CueError::NotText, 0);

    QString decoded = decodeLegacyText(text.toByteArray());
    if (decoded.startsWith(QChar(0xFEFF)))
        decoded.remove(0, 1);
    decoded.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    decoded.replace(u'\r', u'\n');
    const QStringList lines = decoded.split(u'\n');

    CueSheet& sheet = r.sheet;
    int trackLine = 0;  // the line of the current track's TRACK command
    auto closeTrack = [&sheet]() {
        return sheet.tracks.isEmpty() || sheet.tracks.last().index1 >= 0;
    };
    // Positions rise through a file: a track's first INDEX is not before the
    // last INDEX of the track before it in the same file.
    qint64 lastPosition = -1;
    int lastIndex = -1;

    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QStringList words = wordsOf(lines[i]);
        if (words.isEmpty())
            continue;
        const QString command = words[0].toUpper();

        if (command == u"REM" || command == u"CATALOG" || command == u"CDTEXTFILE" ||
            command == u"FLAGS" || command == u"ISRC" || command == u"PERFORMER" ||
            command == u"SONGWRITER") {
            continue;
        }
        if (command == u"TITLE") {
            if (words.size() < 2)
                return fail(CueError::UnknownCommand, lineNo);
            if (sheet.tracks.isEmpty())
                sheet.title = words.mid(1).join(u' ');
            continue;
        }
        if (command == u"FILE") {
            if (words.size() != 3)
                return fail(CueError::UnknownCommand, lineNo);
            const QString type = words[2].toUpper();
            if (type != u"BINARY" && type != u"MOTOROLA")
                return fail(CueError::UnsupportedFile, lineNo);
            if (!closeTrack())
                return fail(CueError::NoIndex01, trackLine);
            if (!sheet.files.isEmpty() &&
                (sheet.tracks.isEmpty() || sheet.tracks.last().file != sheet.files.size() - 1))
                return fail(CueError::NoFile, lineNo);
            sheet.files.append({words[1], type == u"MOTOROLA"});
            lastPosition = -1;
            continue;
        }
        if (command == u"TRACK") {
            if (words.size() != 3)
                return fail(CueError::UnknownCommand, lineNo);
            if (sheet.files.isEmpty())
                return fail(CueError::NoFile, lineNo);
            if (!closeTrack())
                return fail(CueError::NoIndex01, trackLine);
            CueTrack track;
            track.number = smallNumber(words[1]);
            track.file = int(sheet.files.size() - 1);
            if (track.number < 0 || !setMode(track, words[2]))
                return fail(CueError::BadTrack, lineNo);
            const bool first = sheet.tracks.isEmpty();
            if (track.number == 0 || (!first && track.number != sheet.tracks.last().number + 1))
                return fail(CueError::TrackOrder, lineNo);
            sheet.tracks.append(track);
            trackLine = lineNo;
            lastIndex = -1;
            continue;
        }
        if (command == u"INDEX" || command == u"PREGAP" || command == u"POSTGAP") {
            if (sheet.tracks.isEmpty())
                return fail(CueError::NoFile, lineNo);
            CueTrack& track = sheet.tracks.last();
            const bool index = command == u"INDEX";
            if (words.size() != (index ? 3 : 2))
                return fail(CueError::UnknownCommand, lineNo);
            const qint64 time = timeOf(words.last());
            if (time < 0)
                return fail(CueError::BadTime, lineNo);
            if (command == u"PREGAP") {
                track.pregap = time;
            } else if (command == u"POSTGAP") {
                track.postgap = time;
            } else {
                const int number = smallNumber(words[1]);
                if (number < 0)
                    return fail(CueError::UnknownCommand, lineNo);
                if (number <= lastIndex || time < lastPosition)
                    return fail(CueError::IndexOrder, lineNo);
                if (number == 0)
                    track.index0 = time;
                if (number == 1)
                    track.index1 = time;
                if (number > 1 && track.index1 < 0)
                    return fail(CueError::NoIndex01, lineNo);
                lastIndex = number;
                lastPosition = time;
            }
            continue;
        }
        // Nothing read yet: the text is no cue sheet at all.
        const bool nothingYet = sheet.files.isEmpty() && sheet.title.isEmpty();
        return fail(nothingYet ? CueError::NotText : CueError::UnknownCommand, lineNo);
    }

    if (!closeTrack())
        return fail(CueError::NoIndex01, trackLine);
    if (sheet.tracks.isEmpty() || sheet.tracks.last().file != sheet.files.size() - 1)
        return fail(CueError::NoFile, 0);
    return r;
}

ImageLayout layOutImage(const CueSheet& sheet, const QList<qint64>& fileSizes) {
    ImageLayout out;
    auto fail = [&out](CueError error, int track) {
        out = {};
        out.error = error;
        out.track = track;
        return out;
    };
    if (sheet.tracks.isEmpty() || fileSizes.size() != sheet.files.size())
        return fail(CueError::NoFile, 0);

    auto firstIndex = [](const CueTrack& track) {
        return track.index0 >= 0 ? track.index0 : track.index1;
    };
    qint64 lba = 0;      // the next sector of the disc, after the lead-in
    qint64 bytePos = 0;  // where the next track's sectors begin in its file
    for (qsizetype t = 0; t < sheet.tracks.size(); ++t) {
        const CueTrack& track = sheet.tracks[t];
        const bool firstInFile = t == 0 || sheet.tracks[t - 1].file != track.file;
        const bool lastInFile = t + 1 == sheet.tracks.size() || sheet.tracks[t + 1].file != track.file;
        const qint64 size = qMax<qint64>(0, fileSizes[track.file]);
        const CueFile& file = sheet.files[track.file];

        // A file's first track also takes whatever comes before its first INDEX.
        if (firstInFile)
            bytePos = 0;
        const qint64 begin = firstInFile ? 0 : firstIndex(track);
        if (bytePos + (track.index1 - begin + 1) * track.sectorSize > size)
            return fail(CueError::FileShort, track.number);
        const qint64 frames = lastInFile ? (size - bytePos) / track.sectorSize
                                         : firstIndex(sheet.tracks[t + 1]) - begin;

        if (track.pregap > 0) {
            out.segments.append({lba, track.pregap, -1, 0, track.sectorSize, track.audio, false});
            lba += track.pregap;
        }
        out.disc.tracks.append({track.number, lba + (track.index1 - begin) + kLeadInFrames, track.audio});
        out.segments.append({lba, frames, track.file, bytePos, track.sectorSize, track.audio, file.bigEndian});
        lba += frames;
        bytePos += frames * track.sectorSize;
        if (track.postgap > 0) {
            out.segments.append({lba, track.postgap, -1, 0, track.sectorSize, track.audio, false});
            lba += track.postgap;
        }
    }
    out.disc.leadOut = lba + kLeadInFrames;
    out.disc.albumTitle = sheet.title;
    return out;
}

}  // namespace sondex::cd
