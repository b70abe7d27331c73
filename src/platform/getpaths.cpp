#include "platform/getpaths.h"

#include "graphfile/wineprefixes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <iostream>
#include <optional>

namespace velantro {

namespace {

// Wine writes a few hundred bytes at most on a line; a string value of a
// path stays far below this.
constexpr qint64 LongestRegistryLine = 64 * 1024;
constexpr const char* RegistryFileHeader = "WINE REGISTRY Version";

int HexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - '0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - 'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - 'A' + 10;
    return -1;
}

// Undoes the escapes Wine writes into user.reg strings: \\ \" \n and the
// other C escapes, \xNNNN (UTF-16 code units) and octal \NNN. Stops at the
// closing quote; `pos` is left just after it. False when there is none.
bool ReadQuoted(const QString& line, qsizetype& pos, QString& out)
{
    out.clear();
    if (pos >= line.size() || line[pos] != u'"')
        return false;
    ++pos;
    while (pos < line.size()) {
        QChar c = line[pos++];
        if (c == u'"')
            return true;
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (pos >= line.size())
            return false;
        c = line[pos++];
        switch (c.unicode()) {
        case 'a': out += QChar(0x07); break;
        case 'b': out += QChar(0x08); break;
        case 'e': out += QChar(0x1b); break;
        case 'f': out += QChar(0x0c); break;
        case 'n': out += QChar(0x0a); break;
        case 'r': out += QChar(0x0d); break;
        case 't': out += QChar(0x09); break;
        case 'v': out += QChar(0x0b); break;
        case 'x': {
            char16_t code = 0;
            int digits = 0;
            while (digits < 4 && pos < line.size() && HexDigit(line[pos]) >= 0) {
                code = char16_t(code * 16 + HexDigit(line[pos]));
                ++pos;
                ++digits;
            }
            if (digits == 0)
                out += u'x';
            else
                out += QChar(code);
            break;
        }
        default:
            if (c >= u'0' && c <= u'7') {
                char16_t code = char16_t(c.unicode() - '0');
                for (int digits = 1; digits < 3 && pos < line.size() && line[pos] >= u'0' && line[pos] <= u'7';
                     ++digits)
                    code = char16_t(code * 8 + (line[pos++].unicode() - '0'));
                out += QChar(code);
            } else {
                out += c;
            }
        }
    }
    return false;
}

// "[Software\\ImgBurn] 1701234567" -> "Software\ImgBurn"; false for other lines.
bool ReadSectionName(const QString& line, QString& name)
{
    name.clear();
    if (!line.startsWith(u'['))
        return false;
    for (qsizetype pos = 1; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == u']')
            return true;
        if (c == u'\\' && pos + 1 < line.size())
            name += line[++pos];
        else
            name += c;
    }
    return false;
}

// The text of a string value ("..." or str(2):"..."); nothing for other kinds.
std::optional<QString> ReadStringData(const QString& line, qsizetype pos)
{
    if (line.mid(pos).startsWith(u"str(2):"))
        pos += 7;
    QString text;
    if (!ReadQuoted(line, pos, text))
        return std::nullopt;
    return text;
}

// Wine's file system is case-insensitive: when a folder of the path does not
// exist as written, take the one whose name differs only in letter case.
QString ResolveCase(const QString& base, const QStringList& parts)
{
    QString path = base;
    bool resolving = true;
    for (const QString& part : parts) {
        QString chosen = part;
        if (resolving && !QFileInfo::exists(path + u'/' + part)) {
            const QStringList entries = QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            resolving = false;
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    chosen = entry;
                    resolving = true;
                    break;
                }
            }
        }
        path += u'/' + chosen;
    }
    return path;
}

QString WinePrefix()
{
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (!prefix.isEmpty())
        return prefix;
    return QDir::homePath() + QStringLiteral("/.wine");
}

// ImgBurn's value in a prefix, mapped to a native path; "" when unset or unmappable.
std::string RegistryGraphFolder(const std::string& prefix)
{
    const std::string windowsPath = ReadWineUserString(prefix, "Software\\ImgBurn", "FILELOCATIONS_GraphDataFiles");
    return windowsPath.empty() ? std::string() : WinePathToNative(prefix, windowsPath);
}

} // namespace

std::string GetDesktopFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    while (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')))
        folder.chop(1);
    return QDir::toNativeSeparators(folder).toStdString();
}

std::string ReadImgBurnGraphFolder()
{
#ifdef _WIN32
    const QSettings key(QStringLiteral("HKEY_CURRENT_USER\\Software\\ImgBurn"), QSettings::NativeFormat);
    return key.value(QStringLiteral("FILELOCATIONS_GraphDataFiles")).toString().toStdString();
#else
    return RegistryGraphFolder(WinePrefix().toStdString());
#endif
}

std::vector<std::string> FindImgBurnGraphFolders(const std::string& home, const std::string& winePrefix)
{
    std::vector<std::string> folders;
    const auto add = [&](QString folder) {
        while (folder.size() > 1 && folder.endsWith(u'/'))
            folder.chop(1);
        const std::string path = folder.toStdString();
        if (QFileInfo(folder).isDir() && std::find(folders.begin(), folders.end(), path) == folders.end())
            folders.push_back(path);
    };
    for (const std::filesystem::path& prefix : FindWinePrefixes(home, winePrefix)) {
        // A value naming a folder that is gone counts as unset.
        const QString native = QString::fromStdString(RegistryGraphFolder(prefix.string()));
        if (!native.isEmpty() && QFileInfo(native).isDir()) {
            add(native);
            continue;
        }
        for (const std::filesystem::path& folder : DefaultGraphFolders(prefix))
            add(QString::fromStdString(folder.string()));
    }
    return folders;
}

std::vector<std::string> FindImgBurnGraphFolders()
{
    return FindImgBurnGraphFolders(QDir::homePath().toStdString(), qEnvironmentVariable("WINEPREFIX").toStdString());
}

std::string FirstImgBurnGraphFolder()
{
    const std::vector<std::string> folders = FindImgBurnGraphFolders();
    return folders.empty() ? std::string() : folders.front();
}

std::string ReadWineUserString(const std::string& prefix, const std::string& keyPath, const std::string& valueName)
{
    QFile file(QString::fromStdString(prefix) + QStringLiteral("/user.reg"));
    if (!QFileInfo(file.fileName()).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const auto skip = [&](const std::string& why) {
        std::cerr << "velantro: " << QFile::encodeName(file.fileName()).toStdString() << ": " << why << "; skipped\n";
        return std::string();
    };
    const QString wantedKey = QString::fromStdString(keyPath);
    const QString wantedValue = QString::fromStdString(valueName);
    bool inKey = false;
    // Line by line with a bound on the line, so that a huge or sparse file
    // costs a line's worth of memory and stops at the first line that no
    // registry file has.
    for (qint64 lineNumber = 1; !file.atEnd(); ++lineNumber) {
        const QByteArray bytes = file.readLine(LongestRegistryLine + 1);
        if (bytes.size() > LongestRegistryLine || (!bytes.endsWith('\n') && !file.atEnd()))
            return skip("line " + std::to_string(lineNumber) + " is too long for a registry file");
        if (lineNumber == 1 && !bytes.startsWith(RegistryFileHeader))
            return skip("not a Wine registry file");
        const QString line = QString::fromUtf8(bytes).trimmed();
        QString name;
        if (ReadSectionName(line, name)) {
            inKey = name.compare(wantedKey, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inKey)
            continue;
        qsizetype pos = 0;
        if (line.startsWith(u'@')) {
            name.clear();
            pos = 1;
        } else if (!ReadQuoted(line, pos, name)) {
            continue;
        }
        if (name.compare(wantedValue, Qt::CaseInsensitive) != 0 || pos >= line.size() || line[pos] != u'=')
            continue;
        const std::optional<QString> text = ReadStringData(line, pos + 1);
        return text ? text->toStdString() : std::string();
    }
    return {};
}

std::string WinePathToNative(const std::string& prefix, const std::string& windowsPath)
{
    const QString path = QString::fromStdString(windowsPath);
    if (path.size() < 2 || path[1] != u':' || !path[0].isLetter() || path[0].unicode() > 127)
        return {};
    const QString rest = path.mid(2);
    if (!rest.isEmpty() && rest[0] != u'\\' && rest[0] != u'/')
        return {};

    const QString root = QString::fromStdString(prefix);
    const QChar drive = path[0].toLower();
    QString base = root + QStringLiteral("/dosdevices/") + drive + u':';
    if (!QFileInfo(base).isDir()) {
        base = root + QStringLiteral("/drive_c");
        if (drive != u'c' || !QFileInfo(base).isDir())
            return {};
    }

    // As on Windows, ".." stops at the drive's root: a value cannot climb out.
    QStringList parts;
    for (const QString& part : rest.split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts)) {
        if (part != QLatin1String("..") && part != QLatin1String("."))
            parts << part;
        else if (part == QLatin1String("..") && !parts.isEmpty())
            parts.removeLast();
    }
    QString native = ResolveCase(base, parts);
    if (rest.endsWith(u'\\') || rest.endsWith(u'/'))
        native += u'/';
    return native.toStdString();
}

} // namespace velantro
