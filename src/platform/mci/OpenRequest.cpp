#include "platform/mci/OpenRequest.h"

#include "platform/mci/WavHeader.h"

#include <QFile>
#include <QFileInfo>

namespace sondex::mci {

QString typeForExtension(const QString& extension) {
    const QString ext = extension.toLower();
    if (ext == u"wav") return QStringLiteral("waveaudio");
    if (ext == u"mid" || ext == u"midi" || ext == u"rmi") return QStringLiteral("sequencer");
    if (ext == u"aif" || ext == u"aiff" || ext == u"aifc" || ext == u"au" || ext == u"snd")
        return QStringLiteral("mpegvideo");
    return {};
}

QString typeForFile(const QString& path) {
    QFile file(path);
    const QString byExtension = typeForExtension(QFileInfo(path).suffix());
    // Only a plain file is read: a pipe or a device could keep the open waiting.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return byExtension;
    const QByteArray head = file.read(12);
    const QByteArray form = head.mid(8, 4);
    if (head.startsWith("MThd") || (head.startsWith("RIFF") && form == "RMID"))
        return QStringLiteral("sequencer");
    if (head.startsWith("RIFF") && form == "WAVE") {
        // The recording device plays the PCM it records; the music file
        // player reads the rest (24-bit, float, compressed WAV files).
        return isOtherWavFormat(path) ? QStringLiteral("mpegvideo") : QStringLiteral("waveaudio");
    }
    if ((head.startsWith("FORM") && (form == "AIFF" || form == "AIFC")) || head.startsWith(".snd"))
        return QStringLiteral("mpegvideo");
    // The music file player tells whether it can read the rest.
    return byExtension.isEmpty() ? QStringLiteral("mpegvideo") : byExtension;
}

bool isKnownTypeName(const QString& lowerTypeName) {
    return lowerTypeName == u"waveaudio" || lowerTypeName == u"cdaudio" ||
           lowerTypeName == u"sequencer" || lowerTypeName == u"mpegvideo";
}

namespace {

// "cdaudio!E:" names a type and its element in one word.
void splitDeviceWord(const Token& device, OpenRequest& request) {
    const qsizetype bang = device.quoted ? -1 : device.text.indexOf(QLatin1Char('!'));
    if (bang > 0) {
        request.typeName = device.text.left(bang).toLower();
        request.element = device.text.mid(bang + 1);
        return;
    }
    const QString suffix = QFileInfo(device.text).suffix();
    if (device.quoted || !suffix.isEmpty()) {
        request.element = device.text;
        request.typeName = typeForFile(device.text);
    } else {
        request.typeName = device.text.toLower();
    }
}

}  // namespace

ParsedOpen parseOpen(const Command& command) {
    ParsedOpen result;
    OpenRequest& request = result.request;
    splitDeviceWord(command.device, request);
    request.alias = command.device.text;
    const QList<Token>& args = command.args;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const bool takesValue =
            args[i].is(u"alias") || args[i].is(u"type") || args[i].is(u"buffer");
        if (args[i].is(u"shareable")) continue;
        if (!takesValue) {
            result.error = Error::UnknownKeyword;
            return result;
        }
        if (i + 1 >= args.size()) {
            result.error = Error::MissingArgument;
            return result;
        }
        const Token& value = args[++i];
        if (args[i - 1].is(u"alias")) {
            request.alias = value.text;
        } else if (args[i - 1].is(u"type")) {
            if (request.element.isEmpty()) request.element = command.device.text;
            request.typeName = value.text.toLower();
        } else {
            bool ok = false;
            const int seconds = value.text.toInt(&ok);
            if (!ok || seconds < 1 || seconds > 60) {
                result.error = Error::BadArgument;
                return result;
            }
            request.bufferSeconds = seconds;
        }
    }
    if (request.alias.isEmpty()) result.error = Error::MissingArgument;
    return result;
}

}  // namespace sondex::mci
