#include "capture/imagewriter.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QSet>

namespace velantro {

ImageWriter::ImageWriter(QObject* parent) : QObject(parent)
{
    LoadEncoders();
}

// Writers are grouped by MIME type so that synonyms ("jpg", "jpeg") share
// one writer, as one encoder lists several patterns; formats without a MIME
// type are writers of their own.
void ImageWriter::LoadEncoders()
{
    EncoderFormats.clear();
    ExtensionMap.clear();
    QVector<QString> patternLists;
    QSet<QByteArray> grouped;
    const QList<QByteArray> mimeTypes = QImageWriter::supportedMimeTypes();
    for (const QByteArray& mimeType : mimeTypes) {
        const QList<QByteArray> formats = QImageWriter::imageFormatsForMimeType(mimeType);
        QStringList patterns;
        QByteArray first;
        for (const QByteArray& format : formats) {
            if (grouped.contains(format))
                continue;
            grouped.insert(format);
            if (first.isEmpty())
                first = format;
            patterns << QStringLiteral("*.") + QString::fromLatin1(format);
        }
        if (patterns.isEmpty())
            continue;
        EncoderFormats << first;
        patternLists << patterns.join(u';');
    }
    const QList<QByteArray> formats = QImageWriter::supportedImageFormats();
    for (const QByteArray& format : formats) {
        if (grouped.contains(format))
            continue;
        grouped.insert(format);
        EncoderFormats << format;
        patternLists << QStringLiteral("*.") + QString::fromLatin1(format);
    }
    EncoderCount = int(EncoderFormats.size());
    for (int i = EncoderCount - 1; i >= 0; --i)
        AddExtensions(patternLists[i], QStringLiteral(";"), i);
}

void ImageWriter::AddExtensions(const QString& patterns, const QString& delimiter, int index)
{
    const auto add = [this, index](const QString& pattern) {
        const QString key = pattern.toLower();
        // A pattern is listed once; the first writer to claim it keeps it.
        if (!ExtensionMap.contains(key))
            ExtensionMap.insert(key, index);
    };
    qsizetype start = 0;
    qsizetype p = patterns.indexOf(delimiter, start);
    while (p >= 0) {
        add(patterns.mid(start, p - start));
        start = p + delimiter.size();
        p = patterns.indexOf(delimiter, start);
    }
    const QString rest = patterns.mid(start).trimmed();
    if (!rest.isEmpty())
        add(rest);
}

int ImageWriter::EncoderIndex(const QString& pattern) const
{
    return ExtensionMap.value(pattern.toLower(), -1);
}

QString ImageWriter::FileExtension(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0)
        return {};
    const QString extension = path.mid(dot + 1);
#ifdef _WIN32
    if (extension.contains(u'\\'))
        return {};
#endif
    if (extension.contains(u'/'))
        return {};
    return extension;
}

int ImageWriter::Fail(int status)
{
    emit Error(status, GdiErrorString(status));
    return 0;
}

int ImageWriter::PictureBoxToFile(const QImage& picture, const QString& sFilename, int lQuality)
{
    const QString extension = FileExtension(sFilename);
    const int index = EncoderIndex(QStringLiteral("*.") + extension);
    if (index < 0)
        return 0;
    if (picture.isNull())
        return Fail(InvalidParameter);

    const QFileInfo target(sFilename);
    if (!target.absoluteDir().exists())
        return Fail(FileNotFound);
    if (target.isDir())
        return Fail(AccessDenied);
    // Replacing a read-only file by renaming over it would go around its protection.
    if (target.exists() && !target.isWritable())
        return Fail(AccessDenied);

    // A temporary file in the same folder, renamed over the target once
    // complete: a failed save leaves no partial file and the old one intact.
    QSaveFile file(sFilename);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(file.error() == QFileDevice::PermissionsError ? AccessDenied : Win32Error);

    QImageWriter writer(&file, EncoderFormats[index]);
    if ((extension[0].unicode() & ~0x20) == u'J')
        writer.setQuality(lQuality);
    if (!writer.write(picture)) {
        file.cancelWriting();
        switch (writer.error()) {
        case QImageWriter::DeviceError:
            return Fail(Win32Error);
        case QImageWriter::UnsupportedFormatError:
            return Fail(UnknownImageFormat);
        case QImageWriter::InvalidImageError:
            return Fail(InvalidParameter);
        default:
            return Fail(GenericError);
        }
    }
    if (!file.commit())
        return Fail(file.error() == QFileDevice::PermissionsError ? AccessDenied : Win32Error);
    return -1;
}

QString ImageWriter::GdiErrorString(int lError)
{
    switch (lError) {
    case 1: return QStringLiteral("Generic Error");
    case 2: return QStringLiteral("Invalid Parameter");
    case 3: return QStringLiteral("Out Of Memory");
    case 4: return QStringLiteral("Object Busy");
    case 5: return QStringLiteral("Insufficient Buffer");
    case 6: return QStringLiteral("Not Implemented");
    case 7: return QStringLiteral("Win32 Error");
    case 8: return QStringLiteral("Wrong State");
    case 9: return QStringLiteral("Aborted");
    case 10: return QStringLiteral("File Not Found");
    case 11: return QStringLiteral("Value Overflow");
    case 12: return QStringLiteral("Access Denied");
    case 13: return QStringLiteral("Unknown Image Format");
    case 14: return QStringLiteral("FontFamily Not Found");
    case 15: return QStringLiteral("FontStyle Not Found");
    case 16: return QStringLiteral("Not TrueType Font");
    case 17: return QStringLiteral("Unsupported Gdiplus Version");
    case 18: return QStringLiteral("Gdiplus Not Initialized");
    case 19: return QStringLiteral("Property Not Found");
    case 20: return QStringLiteral("Property Not Supported");
    default: return QStringLiteral("Unknown GDI+ Error");
    }
}

} // namespace velantro
