#include "capture/imagewriter.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QSet>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velantro {

ImageWriter::ImageWriter()
{
    LoadEncoders();
}

// Writers are grouped by MIME type so that synonyms ("jpg", "jpeg") share
// one writer, as one encoder lists several patterns; formats without a MIME
// type are writers of their own.
void ImageWriter::LoadEncoders()
{
    encoderFormats_.clear();
    extensionMap_.clear();
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
        encoderFormats_ << first;
        patternLists << patterns.join(u';');
    }
    const QList<QByteArray> formats = QImageWriter::supportedImageFormats();
    for (const QByteArray& format : formats) {
        if (grouped.contains(format))
            continue;
        grouped.insert(format);
        encoderFormats_ << format;
        patternLists << QStringLiteral("*.") + QString::fromLatin1(format);
    }
    for (int i = int(encoderFormats_.size()) - 1; i >= 0; --i)
        AddExtensions(patternLists[i], i);
}

void ImageWriter::AddExtensions(const QString& patterns, int index)
{
    const QString delimiter = QStringLiteral(";");
    const auto add = [this, index](const QString& pattern) {
        const QString key = pattern.toLower();
        // A pattern is listed once; the first writer to claim it keeps it.
        if (!extensionMap_.contains(key))
            extensionMap_.insert(key, index);
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
    return extensionMap_.value(pattern.toLower(), -1);
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

void ImageWriter::Reset()
{
    status_ = Status::Written;
    text_.clear();
    reason_.clear();
}

bool ImageWriter::Fail(Status status)
{
    status_ = status;
    text_ = StatusText(status);
    reason_ = text_.toStdString();
    return false;
}

bool ImageWriter::FailSystem(int systemError)
{
    status_ = SystemErrorStatus(systemError);
    text_ = SystemErrorText(systemError);
    reason_ = std::strerror(systemError);
    return false;
}

ImageWriter::Status ImageWriter::SystemErrorStatus(int systemError)
{
    switch (systemError) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return Status::AccessDenied;
    case ENOENT:
    case ENOTDIR:
        return Status::FileNotFound;
    case ENOMEM:
        return Status::OutOfMemory;
    case EBUSY:
    case ETXTBSY:
        return Status::ObjectBusy;
    default:
        return Status::SystemError;
    }
}

QString ImageWriter::SystemErrorText(int systemError)
{
    return QStringLiteral("%1 (%2)").arg(StatusText(SystemErrorStatus(systemError)),
                                         QString::fromLocal8Bit(std::strerror(systemError)));
}

bool ImageWriter::Save(const QImage& picture, const QString& path, int quality)
{
    return Save(picture, QFile::encodeName(path).toStdString(), quality);
}

bool ImageWriter::Save(const QImage& picture, const std::string& path, int quality)
{
    const QString extension = FileExtension(QFile::decodeName(path.c_str()));
    const int index = EncoderIndex(QStringLiteral("*.") + extension);
    Reset();
    if (index < 0)
        return Fail(Status::UnknownImageFormat);
    if (picture.isNull())
        return Fail(Status::InvalidParameter);

    // Encoded in memory, so that a failing disk is ours to report and no
    // image library prints its own complaint.
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, encoderFormats_[index]);
    if ((extension[0].unicode() & ~0x20) == u'J')
        writer.setQuality(quality);
    if (!writer.write(picture)) {
        switch (writer.error()) {
        case QImageWriter::UnsupportedFormatError:
            return Fail(Status::UnknownImageFormat);
        case QImageWriter::InvalidImageError:
            return Fail(Status::InvalidParameter);
        default:
            return Fail(Status::GenericError);
        }
    }
    return WriteFile(path, encoded.data());
}

namespace {

// "/dev/stdout", "/dev/fd/1", "/proc/self/fd/1": the descriptor they name,
// else -1. Reopening one would start at its beginning, not where it stands.
int NamedDescriptor(const std::string& path)
{
    if (path == "/dev/stdout")
        return STDOUT_FILENO;
    if (path == "/dev/stderr")
        return STDERR_FILENO;
    for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.starts_with(folder) || path.size() == folder.size() || path.size() > folder.size() + 6)
            continue;
        int descriptor = 0;
        for (std::size_t i = folder.size(); i < path.size(); ++i) {
            if (path[i] < '0' || path[i] > '9')
                return -1;
            descriptor = descriptor * 10 + (path[i] - '0');
        }
        return descriptor;
    }
    return -1;
}

int WriteAll(int descriptor, const QByteArray& bytes)
{
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t got = write(descriptor, bytes.constData() + written, std::size_t(bytes.size() - written));
        if (got < 0 && errno != EINTR)
            return errno;
        written += got > 0 ? got : 0;
    }
    return 0;
}

} // namespace

// A device, a FIFO or a socket is written into, never replaced: renaming over
// /dev/null would turn it into a file.
bool ImageWriter::WriteInto(const std::string& path, const QByteArray& bytes)
{
    int descriptor = NamedDescriptor(path);
    if (descriptor >= 0) {
        descriptor = fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    } else {
        // Not blocking at the open: a FIFO that nobody reads fails at once.
        descriptor = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        struct stat status {};
        if (descriptor < 0 && errno == ENXIO && stat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode)) {
            FailSystem(ENXIO);
            reason_ = "nothing reads from it";
            return false;
        }
        if (descriptor >= 0)
            fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    }
    if (descriptor < 0)
        return FailSystem(errno);
    int error = WriteAll(descriptor, bytes);
    if (close(descriptor) != 0 && error == 0 && errno != EINTR)
        error = errno;
    return error == 0 || FailSystem(error);
}

// A temporary file in the same folder, renamed over the target once
// complete: a failed save leaves no partial file and the old one intact.
bool ImageWriter::WriteFile(const std::string& path, const QByteArray& bytes)
{
    Reset();
    struct stat existing {};
    const bool replacing = stat(path.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode))
        return FailSystem(EISDIR);
    if (NamedDescriptor(path) >= 0 || (replacing && !S_ISREG(existing.st_mode)))
        return WriteInto(path, bytes);
    // Renaming over a read-only file would go around its protection.
    if (replacing && access(path.c_str(), W_OK) != 0)
        return FailSystem(errno);

    // A link to the file stays a link: the file it names is replaced.
    std::string target = path;
    if (replacing) {
        char* resolved = realpath(path.c_str(), nullptr);
        if (resolved == nullptr)
            return FailSystem(errno);
        target = resolved;
        std::free(resolved);
    }
    // A short name of fixed length: any name that fits its folder leaves room for it.
    const std::size_t slash = target.rfind('/');
    std::string temporary = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    temporary += ".velantro-XXXXXX";
    const int descriptor = mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0)
        return FailSystem(errno);
    mode_t mode = existing.st_mode & 07777;
    if (!replacing) {
        mode = umask(0);
        umask(mode);
        mode = 0666 & ~mode;
    }
    int error = fchmod(descriptor, mode) == 0 ? 0 : errno;
    if (error == 0)
        error = WriteAll(descriptor, bytes);
    if (error == 0 && fsync(descriptor) != 0)
        error = errno;
    if (close(descriptor) != 0 && error == 0)
        error = errno;
    if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        return FailSystem(error);
    }
    return true;
}

QString ImageWriter::StatusText(Status status)
{
    switch (status) {
    case Status::Written: return {};
    case Status::GenericError: return QStringLiteral("Generic Error");
    case Status::InvalidParameter: return QStringLiteral("Invalid Parameter");
    case Status::OutOfMemory: return QStringLiteral("Out Of Memory");
    case Status::ObjectBusy: return QStringLiteral("Object Busy");
    case Status::SystemError: return QStringLiteral("Win32 Error");
    case Status::FileNotFound: return QStringLiteral("File Not Found");
    case Status::AccessDenied: return QStringLiteral("Access Denied");
    case Status::UnknownImageFormat: return QStringLiteral("Unknown Image Format");
    }
    return QStringLiteral("Generic Error");
}

} // namespace velantro
