#include "capture/imagewriter.h"
#include "support/graphtext.h"

#include <QImageReader>

namespace velantro {
namespace {

namespace fs = std::filesystem;

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
    const QImage picture = TestPicture(), tooWide(65501, 1, QImage::Format_Grayscale8);
    // Name (old.jpg exists, taken.png and dotted.folder are folders), picture, format read from the file ("":
    // none), status of the one Error event (-1: none, 0: any).
    const std::vector<std::tuple<std::string, QImage, QByteArray, int>> cases = {
        {"old.jpg", picture, "jpeg", -1}, {"b.PNG", picture, "png", -1}, {"c.Jpeg", picture, "jpeg", -1},
        {"d.bmp", picture, "bmp", -1}, {"f.g.png", picture, "png", -1}, {"noextension", picture, "", -1},
        {"dotted.folder/noextension", picture, "", -1}, {"ends.", picture, "", -1}, {"x.png.txt", picture, "", -1},
        {"missing/x.png", picture, "", ImageWriter::FileNotFound}, {"x.png", {}, "", ImageWriter::InvalidParameter},
        {"taken.png", picture, "", ImageWriter::AccessDenied}, {"x.jpg", tooWide, "", 0}, {"old.jpg", tooWide, "", 0},
    };
    for (const auto& [name, image, format, status] : cases) {
        SCOPED_TRACE(name + ", " + std::to_string(image.width()) + " pixels wide");
        const testing::TempFile folder("old", "old.jpg");
        fs::create_directories(folder.In("dotted.folder")), fs::create_directories(folder.In("taken.png"));
        ImageWriter writer;
        std::vector<int> events;
        QObject::connect(&writer, &ImageWriter::Error, [&](int status, const QString&) { events.push_back(status); });
        EXPECT_EQ(writer.PictureBoxToFile(image, QString::fromStdString(folder.In(name))), format.isEmpty() ? 0 : -1);
        ASSERT_EQ(events.size(), status < 0 ? 0u : 1u);
        EXPECT_TRUE(status <= 0 || events[0] == status) << events[0];
        QImageReader reader(QString::fromStdString(folder.In(name)));
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), format);
        EXPECT_EQ(reader.read().size() == picture.size(), !format.isEmpty());
        const bool added = !format.isEmpty() && name != "old.jpg";
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Folder()), fs::directory_iterator()), added ? 4 : 3);
        std::ifstream old(folder.Path(), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}) == "old", name != "old.jpg" || format.isEmpty());
    }
}

// Only an extension starting with J passes the quality on. Qt reads a PNG
// writer's quality as its compression level: equal sizes show none was passed.
TEST(ImageWriter, QualityForJExtensionsOnly)
{
    for (const auto& [extension, qualityMatters] : {std::pair("jpg", true), {"JPEG", true}, {"png", false}}) {
        const testing::TempFile folder;
        ImageWriter writer;
        const auto size = [&](const std::string& name, int quality) {
            const std::string path = folder.In(name + "." + extension);
            EXPECT_EQ(writer.PictureBoxToFile(TestPicture(), QString::fromStdString(path), quality), -1);
            return fs::file_size(path);
        };
        const auto low = size("low", 0), high = size("high", 100);
        EXPECT_TRUE(qualityMatters ? low * 2 < high : low == high) << extension;
    }
}

} // namespace
} // namespace velantro
