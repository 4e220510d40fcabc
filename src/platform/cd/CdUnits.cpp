#include "platform/cd/CdUnits.h"

#include "platform/AppPaths.h"
#include "platform/cd/DiscDrive.h"
#include "platform/cd/IniText.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>

namespace sondex::cd {

namespace {

constexpr qint64 kMaxIniBytes = 1 << 20;
constexpr char kSection[] = "CDDRIVES";

QString lineProblem(int line, const QString& text, const QString& why) {
    return QString::number(line) + QStringLiteral("行目「") + text + QStringLiteral("」：") + why;
}

CdUnitTable defaultTable(const QStringList& optical) {
    CdUnitTable table;
    char16_t letter = u'D';
    for (const QString& device : optical) {
        if (letter > u'Z')
            break;
        table.units.append({QChar(letter++), device});
    }
    return table;
}

bool samePath(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return a == b || (!ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath());
}

}  // namespace

const CdUnit* CdUnitTable::find(QChar letter) const {
    for (const CdUnit& u : units) {
        if (u.letter == letter.toUpper())
            return &u;
    }
    return nullptr;
}

QString driveLabel(QChar letter) {
    return u' ' + QString(letter) + u':';
}

QString cdElement(QChar letter) {
    return u'!' + QString(letter) + u':';
}

QStringList opticalDrives(const QString& devFolder) {
    static const QRegularExpression pattern(QStringLiteral("^sr(\\d{1,4})$"));
    QList<std::pair<int, QString>> found;
    for (const QString& entry : QDir(devFolder).entryList(QDir::System | QDir::Files | QDir::AllEntries)) {
        const QRegularExpressionMatch m = pattern.match(entry);
        if (m.hasMatch())
            found.append({m.captured(1).toInt(), QDir(devFolder).filePath(entry)});
    }
    std::sort(found.begin(), found.end());
    QStringList drives;
    for (const auto& f : found)
        drives.append(f.second);
    return drives;
}

CdUnitTable cdUnitsFromText(const QByteArray& text, const QString& configFolder) {
    CdUnitTable table;
    table.listed = true;
    for (const ini::Line& line : ini::parse(text)) {
        if (line.section.compare(QLatin1String(kSection), Qt::CaseInsensitive) != 0 || line.isComment())
            continue;
        const QString key = line.key.toUpper();
        if (!line.hasValue() || key.size() != 1 || key[0] < u'A' || key[0] > u'Z' || line.value.isEmpty()) {
            table.problems.append(lineProblem(line.number, line.text,
                                              QStringLiteral("「E=/dev/sr0」の形ではありません")));
            continue;
        }
        if (table.find(key[0]) != nullptr) {
            table.problems.append(lineProblem(line.number, line.text,
                                              QStringLiteral("ドライブ文字が重複しています")));
            continue;
        }
        QString target = paths::expandHome(line.value);
        if (QDir::isRelativePath(target))
            target = QDir(configFolder).filePath(target);
        target = QDir::cleanPath(target);
        if (!target.startsWith(QLatin1String("/dev/")) && !isDiscImage(target)) {
            table.problems.append(lineProblem(line.number, line.text,
                                              QStringLiteral("CDドライブでもディスクイメージ（.cue/.toc）でもありません")));
            continue;
        }
        table.units.append({key[0], target});
    }
    std::sort(table.units.begin(), table.units.end(),
              [](const CdUnit& a, const CdUnit& b) { return a.letter < b.letter; });
    return table;
}

CdUnitTable readCdUnits(const QString& configFolder, const QStringList& optical) {
    const QString path = ini::findIgnoringCase(configFolder, QLatin1String(kCdDrivesFile));
    if (path.isEmpty())
        return defaultTable(optical);
    bool ok = false;
    const QByteArray bytes = ini::readSmall(path, kMaxIniBytes, &ok);
    if (!ok) {
        CdUnitTable table = defaultTable(optical);
        table.problems.append(path + QStringLiteral("：読み込めません"));
        return table;
    }
    return cdUnitsFromText(bytes, configFolder);
}

AddedUnit addImageUnit(const QString& configFolder, const QStringList& optical, const QString& imagePath) {
    const QString image = QFileInfo(imagePath).absoluteFilePath();
    if (!isDiscImage(image) || image.contains(u'\n') || image.contains(u'\r'))
        return {QChar(), QStringLiteral("ディスクイメージ（.cue/.toc）ではありません：") + imagePath};

    const QString existing = ini::findIgnoringCase(configFolder, QLatin1String(kCdDrivesFile));
    QByteArray bytes;
    if (!existing.isEmpty()) {
        bool ok = false;
        bytes = ini::readSmall(existing, kMaxIniBytes, &ok);
        if (!ok)
            return {QChar(), existing + QStringLiteral("：読み込めません")};
    }
    const CdUnitTable table = existing.isEmpty() ? defaultTable(optical) : cdUnitsFromText(bytes, configFolder);
    for (const CdUnit& u : table.units) {
        if (samePath(u.target, image))
            return {u.letter, QString()};
    }
    QChar letter;
    for (char16_t c = u'D'; c <= u'Z' && letter.isNull(); ++c) {
        if (table.find(QChar(c)) == nullptr)
            letter = QChar(c);
    }
    if (letter.isNull())
        return {QChar(), QStringLiteral("空いているドライブ文字がありません")};

    const QByteArray entry = QString(letter + u'=' + image).toUtf8();
    if (existing.isEmpty()) {
        bytes = "[CDDRIVES]\r\n";
        for (const CdUnit& u : table.units)
            bytes += QString(u.letter + u'=' + u.target).toUtf8() + "\r\n";
        bytes += entry + "\r\n";
    } else {
        // After the last line of the [CDDRIVES] section; a new section at the end when there is none.
        QList<QByteArray> lines = bytes.split('\n');
        qsizetype insertAt = -1;
        bool inSection = false;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QByteArray t = lines[i].trimmed();
            if (t.startsWith('[') && t.endsWith(']')) {
                inSection = t.mid(1, t.size() - 2).trimmed().toUpper() == kSection;
                if (inSection)
                    insertAt = i;
            } else if (inSection && !t.isEmpty()) {
                insertAt = i;
            }
        }
        if (insertAt < 0) {
            if (!bytes.isEmpty() && !bytes.endsWith('\n'))
                bytes += "\r\n";
            bytes += QByteArray("[CDDRIVES]\r\n") + entry + "\r\n";
        } else {
            lines.insert(insertAt + 1, entry + '\r');
            bytes = lines.join('\n');
            if (!bytes.endsWith('\n'))
                bytes += '\n';
        }
    }

    QDir().mkpath(configFolder);
    QSaveFile out(existing.isEmpty() ? QDir(configFolder).filePath(QLatin1String(kCdDrivesFile)) : existing);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return {QChar(), QStringLiteral("CDDRIVES.INI を書き込めません")};
    return {letter, QString()};
}

}  // namespace sondex::cd
