#include "capture/imagewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using velantro::ImageWriter;

// Noise, so that the quality setting changes the size of a JPEG.
QImage TestPicture()
{
    QImage image(64, 48, QImage::Format_RGB32);
    quint32 state = 12345;
    for (int i = 0; i < 64 * 48; ++i)
        reinterpret_cast<quint32*>(image.bits())[i] = state = state * 1103515245u + 12345u;
    return image;
}

// The writer comes from the extension in any letter case; no known extension
// means no file and no event. A failed save raises Error once, leaves no
// partial file and keeps an earlier one as it was: libjpeg refuses images
// wider than 65500 pixels once the temporary file has been made.
TEST(ImageWriter, SaveOutcome)
{
    struct Case {
        QString name;        // old.jpg exists, taken.png and dotted.folder are folders
        QImage picture;
        QByteArray format;   // read from the file, "" for none
        int status;          // of the one Error event; -1: none, 0: any
    };
    const QImage picture = TestPicture();
    const QImage tooWide(65501, 1, QImage::Format_Grayscale8);
    const std::vector<Case> cases = {
        {"old.jpg", picture, "jpeg", -1}, {"b.PNG", picture, "png", -1}, {"c.Jpeg", picture, "jpeg", -1},
        {"d.bmp", picture, "bmp", -1}, {"f.g.png", picture, "png", -1}, {"noextension", picture, "", -1},
        {"dotted.folder/noextension", picture, "", -1}, {"ends.", picture, "", -1}, {"x.xyz", picture, "", -1},
        {"x.png.txt", picture, "", -1}, {"missing/x.png", picture, "", ImageWriter::FileNotFound},
        {"missing/deeper/x.jpg", picture, "", ImageWriter::FileNotFound},
        {"x.png", QImage(), "", ImageWriter::InvalidParameter}, {"taken.png", picture, "", ImageWriter::AccessDenied},
        {"x.jpg", tooWide, "", 0}, {"old.jpg", tooWide, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name.toStdString() << ", " << c.picture.width() << " pixels wide");
        QTemporaryDir folder;
        QDir dir(folder.path());
        QFile old(folder.filePath("old.jpg"));
        ASSERT_TRUE(dir.mkpath("dotted.folder") && dir.mkpath("taken.png") && old.open(QIODevice::WriteOnly) &&
                    old.write("old") == 3);
        old.close();
        ImageWriter writer;
        std::vector<std::pair<int, QString>> events;
        QObject::connect(&writer, &ImageWriter::Error,
                         [&](int status, const QString& text) { events.emplace_back(status, text); });
        EXPECT_EQ(writer.PictureBoxToFile(c.picture, folder.filePath(c.name)), c.format.isEmpty() ? 0 : -1);
        ASSERT_EQ(events.size(), c.status < 0 ? 0u : 1u);
        if (!events.empty()) {
            EXPECT_EQ(events[0].first, c.status ? c.status : qMax(1, events[0].first));
            EXPECT_TRUE(events[0].second.startsWith(ImageWriter::GdiErrorString(events[0].first)));
        }
        QImageReader reader(folder.filePath(c.name));
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), c.format);
        EXPECT_EQ(reader.read().size() == picture.size(), !c.format.isEmpty());
        const bool added = !c.format.isEmpty() && c.name != "old.jpg";
        EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), added ? 4 : 3);
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll() == "old", c.name != "old.jpg" || c.format.isEmpty());
    }
}

// Only an extension starting with J passes the quality on. Qt reads a PNG
// writer's quality as its compression level: equal sizes show none was passed.
TEST(ImageWriter, QualityForJExtensionsOnly)
{
    for (const auto& [extension, qualityMatters] : {std::pair("jpg", true), {"JPEG", true}, {"png", false}}) {
        QTemporaryDir folder;
        ImageWriter writer;
        const QString low = folder.filePath(QStringLiteral("low.") + extension);
        const QString high = folder.filePath(QStringLiteral("high.") + extension);
        ASSERT_EQ(writer.PictureBoxToFile(TestPicture(), low, 0) + writer.PictureBoxToFile(TestPicture(), high), -2);
        const qint64 lowSize = QFileInfo(low).size(), highSize = QFileInfo(high).size();
        EXPECT_TRUE(qualityMatters ? lowSize * 2 < highSize : lowSize == highSize) << extension;
    }
}

TEST(ImageWriter, StatusTexts)
{
    // Indexed by status, from -1.
    const std::vector<const char*> texts = {"Unknown GDI+ Error", "Unknown GDI+ Error", "Generic Error",
        "Invalid Parameter", "Out Of Memory", "Object Busy", "Insufficient Buffer", "Not Implemented", "Win32 Error",
        "Wrong State", "Aborted", "File Not Found", "Value Overflow", "Access Denied", "Unknown Image Format",
        "FontFamily Not Found", "FontStyle Not Found", "Not TrueType Font", "Unsupported Gdiplus Version",
        "Gdiplus Not Initialized", "Property Not Found", "Property Not Supported", "Unknown GDI+ Error"};
    for (int status = -1; status <= 21; ++status)
        EXPECT_EQ(ImageWriter::GdiErrorString(status).toStdString(), texts[size_t(status + 1)]) << status;
}

} // namespace
