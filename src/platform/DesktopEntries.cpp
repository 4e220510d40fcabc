#include "platform/DesktopEntries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>

namespace sondex::entries {

namespace {

constexpr qint64 kMaxReadBytes = 1024 * 1024;  // menu files and entries are a few hundred bytes

bool hasControlCharacter(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return true;
    }
    return false;
}

// A string value may not hold a line break; a backslash starts an escape.
QString stringValue(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

QByteArray readSmallFile(const QString& path) {
    QFile file(path);
    if (file.size() > kMaxReadBytes || !file.open(QIODevice::ReadOnly)) return {};
    return file.read(kMaxReadBytes);
}

}  // namespace

QString execValue(const QString& executable) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = false;
    for (const QChar c : executable) quote = quote || reserved.contains(c);
    QString arg;
    for (const QChar c : executable) {
        if (c == u'%')
            arg += QStringLiteral("%%");
        else if (quote && (c == u'"' || c == u'`' || c == u'$' || c == u'\\'))
            arg += u'\\' + QString(c);
        else
            arg += c;
    }
    return stringValue(quote ? u'"' + arg + u'"' : arg);
}

QString entryText(const Launcher& launcher) {
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nVersion=1.0\nName=") +
                   stringValue(launcher.name) + QStringLiteral("\nExec=") +
                   execValue(launcher.executable) + QStringLiteral("\nTryExec=") +
                   stringValue(launcher.executable) + u'\n';
    if (!launcher.icon.isEmpty())
        text += QStringLiteral("Icon=") + stringValue(launcher.icon) + u'\n';
    return text +
           QStringLiteral(
               "Terminal=false\nCategories=AudioVideo;Audio;Recorder;\nX-TAVIK-Product=") +
           stringValue(launcher.marker) + u'\n';
}

QString directoryText(const QString& group) {
    return QStringLiteral("[Desktop Entry]\nType=Directory\nName=") + stringValue(group) + u'\n';
}

QString menuText(const QString& group, const QString& directoryFile, const QString& entryFile) {
    return QStringLiteral(
               "<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"\n"
               " \"http://www.freedesktop.org/standards/menu-spec/1.0/menu.dtd\">\n"
               "<Menu>\n  <Name>Applications</Name>\n  <Menu>\n    <Name>") +
           group.toHtmlEscaped() + QStringLiteral("</Name>\n    <Directory>") +
           directoryFile.toHtmlEscaped() +
           QStringLiteral("</Directory>\n    <Include>\n      <Filename>") +
           entryFile.toHtmlEscaped() +
           QStringLiteral("</Filename>\n    </Include>\n  </Menu>\n</Menu>\n");
}

bool isUsableGroupName(const QString& group) {
    return !group.isEmpty() && !group.contains(u'/') && !hasControlCharacter(group) &&
           group != u"." && group != u"..";
}

QString groupFileStem(const QString& group) {
    return QStringLiteral("tavik-") + group;
}

QStringList menuGroups(const QString& mergedMenusFolder) {
    QStringList groups;
    const QFileInfoList files =
        QDir(mergedMenusFolder).entryInfoList({QStringLiteral("*.menu")}, QDir::Files, QDir::Name);
    for (const QFileInfo& info : files) {
        QXmlStreamReader xml(readSmallFile(info.filePath()));
        int depth = 0;
        while (!xml.atEnd() && !xml.hasError()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"Menu") ++depth;
            if (xml.isEndElement() && xml.name() == u"Menu") --depth;
            // The outer menu is the applications menu itself; its direct submenus are the groups.
            if (xml.isStartElement() && xml.name() == u"Name" && depth == 2) {
                const QString name = xml.readElementText().trimmed();
                if (isUsableGroupName(name) && !groups.contains(name)) groups.append(name);
            }
        }
    }
    return groups;
}

bool carriesMarker(const QString& path, const QString& marker) {
    const QString text = QString::fromUtf8(readSmallFile(path));
    return text.startsWith(QStringLiteral("[Desktop Entry]")) &&
           text.split(u'\n').contains(QStringLiteral("X-TAVIK-Product=") + stringValue(marker));
}

bool writeTextFile(const QString& path, const QString& text, QString* error) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit())
        return true;
    if (error) *error = file.errorString();
    return false;
}

}  // namespace sondex::entries
