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
// means no file. A failed save says why, leaves no partial file and keeps an
// earlier one as it was: libjpeg refuses images wider than 65500 pixels once
// the temporary file has been made.
TEST(ImageWriter, SaveOutcome)
{
    const QImage picture = TestPicture(), tooWide(65501, 1, QImage::Format_Grayscale8);
    // Name (old.jpg exists, taken.png and dotted.folder are folders), picture, format read from the file ("":
    // none), the status kept (none: any failure).
    using enum ImageWriter::Status;
    const std::optional<ImageWriter::Status> any;
    const std::vector<std::tuple<std::string, QImage, QByteArray, std::optional<ImageWriter::Status>>> cases = {
        {"old.jpg", picture, "jpeg", Written}, {"b.PNG", picture, "png", Written}, {"c.Jpeg", picture, "jpeg", Written},
        {"d.bmp", picture, "bmp", Written}, {"f.g.png", picture, "png", Written},
        {"noextension", picture, "", UnknownImageFormat}, {"dotted.folder/noextension", picture, "", UnknownImageFormat},
        {"ends.", picture, "", UnknownImageFormat}, {"x.png.txt", picture, "", UnknownImageFormat},
        {"missing/x.png", picture, "", FileNotFound}, {"x.png", {}, "", InvalidParameter},
        {"taken.png", picture, "", AccessDenied}, {"x.jpg", tooWide, "", any}, {"old.jpg", tooWide, "", any},
    };
    for (const auto& [name, image, format, status] : cases) {
        SCOPED_TRACE(name + ", " + std::to_string(image.width()) + " pixels wide");
        const testing::TempFile folder("old", "old.jpg");
        fs::create_directories(folder.In("dotted.folder")), fs::create_directories(folder.In("taken.png"));
        ImageWriter writer;
        EXPECT_EQ(writer.Save(image, QString::fromStdString(folder.In(name))), !format.isEmpty());
        EXPECT_TRUE(status ? writer.FailureStatus() == *status : writer.FailureStatus() != Written);
        EXPECT_EQ(writer.FailureText().isEmpty(), !format.isEmpty());
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
            EXPECT_TRUE(writer.Save(TestPicture(), QString::fromStdString(path), quality));
            return fs::file_size(path);
        };
        const auto low = size("low", 0), high = size("high", 100);
        EXPECT_TRUE(qualityMatters ? low * 2 < high : low == high) << extension;
    }
}

} // namespace
} // namespace velantro
