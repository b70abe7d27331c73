#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>
#include <QVector>

#include <string>

namespace velantro {

// Saves a picture through the platform's image writers, chosen by the file
// name's extension. A failed save keeps why: a status, its words for a
// message box, and the system's own words for a command line.
class ImageWriter {
public:
    ImageWriter();

    enum class Status {
        Written,
        GenericError,
        InvalidParameter,
        OutOfMemory,
        ObjectBusy,
        SystemError,
        FileNotFound,
        AccessDenied,
        UnknownImageFormat,
    };

    // True when the file was written. An extension starting with J or j
    // passes the quality (0..100) to the writer. The file is replaced only
    // once it is complete. The name is the platform's bytes.
    bool Save(const QImage& picture, const std::string& path, int quality = 85);
    bool Save(const QImage& picture, const QString& path, int quality = 85);
    // Writes bytes already encoded to the file named by the platform's
    // bytes, whole or not at all, as Save does. An existing name that is not
    // a regular file (a device, a FIFO, /dev/stdout) is written into, never
    // replaced.
    bool WriteFile(const std::string& path, const QByteArray& bytes);

    // Why the last write failed: the status, and the words a message box
    // shows ("Access Denied (Permission denied)").
    Status FailureStatus() const { return status_; }
    const QString& FailureText() const { return text_; }
    // The same in the system's own words where it was the system's failure:
    // for a command line, not the dialog's captions.
    const std::string& FailureReason() const { return reason_; }

    static QString StatusText(Status status);
    // The status that stands for a system error (errno), and the words shown
    // with it: the status's text with the system's own words.
    static Status SystemErrorStatus(int systemError);
    static QString SystemErrorText(int systemError);

private:
    void LoadEncoders();
    void AddExtensions(const QString& patterns, int index);
    int EncoderIndex(const QString& pattern) const;
    static QString FileExtension(const QString& path);
    bool Fail(Status status);
    bool FailSystem(int systemError);
    bool WriteInto(const std::string& path, const QByteArray& bytes);
    void Reset();

    // One entry per writer: the format name handed to QImageWriter.
    QVector<QByteArray> encoderFormats_;
    // Patterns such as "*.png", lower-cased, to their writer's index.
    QHash<QString, int> extensionMap_;
    Status status_ = Status::Written;
    QString text_;
    std::string reason_;
};

} // namespace velantro
