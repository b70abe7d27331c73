#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QString>
#include <QVector>

#include <string>

namespace velantro {

// Saves a picture through the platform's image writers, chosen by the file
// name's extension. Failures raise Error once with a status code and its text.
class ImageWriter : public QObject {
    Q_OBJECT

public:
    explicit ImageWriter(QObject* parent = nullptr);

    // -1 when the file was written, 0 otherwise. An extension starting with
    // J or j passes lQuality (0..100) to the writer. The file is replaced
    // only once it is complete. The name is the platform's bytes.
    int PictureBoxToFile(const QImage& picture, const std::string& sFilename, int lQuality = 85);
    int PictureBoxToFile(const QImage& picture, const QString& sFilename, int lQuality = 85);
    static QString GdiErrorString(int lError);
    // The status that stands for a system error (errno), and the text raised
    // with it: the status's text with the system's own words.
    static int SystemErrorStatus(int systemError);
    static QString SystemErrorText(int systemError);
    // Writes bytes already encoded to the file named by the platform's
    // bytes, whole or not at all, as PictureBoxToFile does; -1 or 0. An
    // existing name that is not a regular file (a device, a FIFO,
    // /dev/stdout) is written into, never replaced.
    int WriteFile(const std::string& path, const QByteArray& bytes);
    // Why the last write failed, in the system's own words where it was the
    // system's failure: for a command line, not the dialog's captions.
    const std::string& FailureReason() const { return reason_; }

    // The status codes raised with Error.
    enum Status {
        Ok = 0,
        GenericError = 1,
        InvalidParameter = 2,
        OutOfMemory = 3,
        ObjectBusy = 4,
        Win32Error = 7,
        FileNotFound = 10,
        AccessDenied = 12,
        UnknownImageFormat = 13,
    };

signals:
    void Error(int status, const QString& description);

private:
    void LoadEncoders();
    void AddExtensions(const QString& patterns, const QString& delimiter, int index);
    int EncoderIndex(const QString& pattern) const;
    static QString FileExtension(const QString& path);
    int Fail(int status);
    int FailSystem(int systemError);
    int WriteInto(const std::string& path, const QByteArray& bytes);

    // One entry per writer: the format name handed to QImageWriter.
    QVector<QByteArray> EncoderFormats;
    // Patterns such as "*.png", lower-cased, to their writer's index.
    QHash<QString, int> ExtensionMap;
    int EncoderCount = 0;
    std::string reason_;
};

} // namespace velantro
