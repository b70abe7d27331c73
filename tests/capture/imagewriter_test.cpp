#include "capture/imagewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

#include <utility>
#include <vector>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

using velantro::ImageWriter;

// Noise, so that the quality setting changes the size of a JPEG.
QImage TestPicture(int width = 64, int height = 48)
{
    QImage image(width, height, QImage::Format_RGB32);
    quint32 state = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            image.setPixel(x, y, qRgb(int(state >> 24), int((state >> 16) & 0xff), (x * 4) & 0xff));
        }
    return image;
}

struct ErrorLog {
    std::vector<std::pair<int, QString>> events;
    void Attach(ImageWriter& writer)
    {
        QObject::connect(&writer, &ImageWriter::Error, &writer,
                         [this](int status, const QString& text) { events.emplace_back(status, text); });
    }
};

QStringList FolderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

TEST(ImageWriter, EncoderByExtension)
{
    struct Case {
        QString name;
        QByteArray format;   // what a reader finds in the file
    };
    const std::vector<Case> cases = {
        {QStringLiteral("a.png"), "png"},   {QStringLiteral("b.PNG"), "png"},  {QStringLiteral("c.Png"), "png"},
        {QStringLiteral("d.jpg"), "jpeg"},  {QStringLiteral("e.JPEG"), "jpeg"}, {QStringLiteral("f.bmp"), "bmp"},
        {QStringLiteral("g.h.png"), "png"},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        ImageWriter writer;
        ErrorLog log;
        log.Attach(writer);
        const QString path = folder.filePath(c.name);
        EXPECT_EQ(writer.PictureBoxToFile(TestPicture(), path), -1) << c.name.toStdString();
        EXPECT_TRUE(log.events.empty()) << c.name.toStdString();
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), c.format) << c.name.toStdString();
        EXPECT_EQ(reader.read().size(), QSize(64, 48)) << c.name.toStdString();
        EXPECT_EQ(FolderEntries(folder.path()), QStringList{c.name}) << c.name.toStdString();
    }
}

TEST(ImageWriter, NoEncoderNoEvent)
{
    const std::vector<QString> cases = {
        QStringLiteral("noextension"), QStringLiteral("dotted.folder/noextension"), QStringLiteral("ends."),
        QStringLiteral("picture.xyz"), QStringLiteral("picture.png.txt"),
    };
    for (const QString& name : cases) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("dotted.folder")));
        ImageWriter writer;
        ErrorLog log;
        log.Attach(writer);
        EXPECT_EQ(writer.PictureBoxToFile(TestPicture(), folder.filePath(name)), 0) << name.toStdString();
        EXPECT_TRUE(log.events.empty()) << name.toStdString();
        EXPECT_EQ(FolderEntries(folder.path()), QStringList{QStringLiteral("dotted.folder")}) << name.toStdString();
        EXPECT_TRUE(FolderEntries(folder.filePath(QStringLiteral("dotted.folder"))).isEmpty()) << name.toStdString();
    }
}

TEST(ImageWriter, QualityForJExtensionsOnly)
{
    struct Case {
        QString extension;
        bool qualityMatters;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("jpg"), true}, {QStringLiteral("JPEG"), true}, {QStringLiteral("Jpg"), true},
        // Qt reads a PNG writer's quality as its compression level: equal
        // sizes show that none was passed.
        {QStringLiteral("png"), false}, {QStringLiteral("PNG"), false},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        ImageWriter writer;
        const QString low = folder.filePath(QStringLiteral("low.") + c.extension);
        const QString high = folder.filePath(QStringLiteral("high.") + c.extension);
        ASSERT_EQ(writer.PictureBoxToFile(TestPicture(), low, 0), -1);
        ASSERT_EQ(writer.PictureBoxToFile(TestPicture(), high, 100), -1);
        if (c.qualityMatters)
            EXPECT_LT(QFileInfo(low).size() * 2, QFileInfo(high).size()) << c.extension.toStdString();
        else
            EXPECT_EQ(QFileInfo(low).size(), QFileInfo(high).size()) << c.extension.toStdString();
    }
}

TEST(ImageWriter, StatusTexts)
{
    const std::vector<std::pair<int, QString>> cases = {
        {0, QStringLiteral("Unknown GDI+ Error")},
        {1, QStringLiteral("Generic Error")},
        {2, QStringLiteral("Invalid Parameter")},
        {3, QStringLiteral("Out Of Memory")},
        {4, QStringLiteral("Object Busy")},
        {5, QStringLiteral("Insufficient Buffer")},
        {6, QStringLiteral("Not Implemented")},
        {7, QStringLiteral("Win32 Error")},
        {8, QStringLiteral("Wrong State")},
        {9, QStringLiteral("Aborted")},
        {10, QStringLiteral("File Not Found")},
        {11, QStringLiteral("Value Overflow")},
        {12, QStringLiteral("Access Denied")},
        {13, QStringLiteral("Unknown Image Format")},
        {14, QStringLiteral("FontFamily Not Found")},
        {15, QStringLiteral("FontStyle Not Found")},
        {16, QStringLiteral("Not TrueType Font")},
        {17, QStringLiteral("Unsupported Gdiplus Version")},
        {18, QStringLiteral("Gdiplus Not Initialized")},
        {19, QStringLiteral("Property Not Found")},
        {20, QStringLiteral("Property Not Supported")},
        {21, QStringLiteral("Unknown GDI+ Error")},
        {-1, QStringLiteral("Unknown GDI+ Error")},
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(ImageWriter::GdiErrorString(code), text) << code;
}

TEST(ImageWriter, FailureRaisesErrorOnce)
{
    struct Case {
        const char* name;
        QString relativePath;
        QImage picture;
        int expectedStatus;
    };
    const std::vector<Case> cases = {
        {"folder missing", QStringLiteral("missing/shot.png"), TestPicture(), 10},
        {"folder missing, JPEG", QStringLiteral("missing/deeper/shot.jpg"), TestPicture(), 10},
        {"no picture", QStringLiteral("shot.png"), QImage(), 2},
        {"target is a folder", QStringLiteral("taken.png"), TestPicture(), 12},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("taken.png")));
        const QStringList before = FolderEntries(folder.path());
        ImageWriter writer;
        ErrorLog log;
        log.Attach(writer);
        EXPECT_EQ(writer.PictureBoxToFile(c.picture, folder.filePath(c.relativePath)), 0) << c.name;
        ASSERT_EQ(log.events.size(), 1u) << c.name;
        EXPECT_EQ(log.events[0].first, c.expectedStatus) << c.name;
        EXPECT_EQ(log.events[0].second, ImageWriter::GdiErrorString(c.expectedStatus)) << c.name;
        EXPECT_EQ(FolderEntries(folder.path()), before) << c.name;
    }
}

// libjpeg refuses images wider than 65500 pixels, after the temporary file
// has been made: a failure in the middle of a save.
TEST(ImageWriter, FailedSaveLeavesNothingBehind)
{
    struct Case {
        const char* name;
        bool existing;
    };
    const std::vector<Case> cases = {
        {"new file", false},
        {"existing file", true},
    };
    const QImage tooWide(65501, 1, QImage::Format_Grayscale8);
    for (const Case& c : cases) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("shot.jpg"));
        const QByteArray old("an earlier capture");
        if (c.existing) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        ImageWriter writer;
        ErrorLog log;
        log.Attach(writer);
        EXPECT_EQ(writer.PictureBoxToFile(tooWide, path), 0) << c.name;
        ASSERT_EQ(log.events.size(), 1u) << c.name;
        EXPECT_NE(log.events[0].first, 0) << c.name;
        EXPECT_EQ(log.events[0].second, ImageWriter::GdiErrorString(log.events[0].first)) << c.name;
        if (c.existing) {
            EXPECT_EQ(FolderEntries(folder.path()), QStringList{QStringLiteral("shot.jpg")}) << c.name;
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), old) << c.name;
        } else {
            EXPECT_TRUE(FolderEntries(folder.path()).isEmpty()) << c.name;
        }
    }
}

TEST(ImageWriter, ReplacesExistingFile)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("shot.png"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    ImageWriter writer;
    ASSERT_EQ(writer.PictureBoxToFile(TestPicture(), path), -1);
    EXPECT_EQ(QImage(path).size(), QSize(64, 48));
    EXPECT_EQ(FolderEntries(folder.path()), QStringList{QStringLiteral("shot.png")});
}

} // namespace
