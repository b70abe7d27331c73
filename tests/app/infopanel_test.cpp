#include "app/picturebox.h"
#include "graphfile/infopanel.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>

namespace velantro {
namespace {

std::string Repeated(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// Only the start of a value wider than its panel is laid out; the picture
// is the one the whole value gives: centred when it fits, else from X = 0,
// cut at the edge, kerning and ligatures at the edge included.
TEST(InfoPanel, WideValuesPrintAsWhole)
{
    const std::vector<std::string> texts = {
        "PIONEER DVD-RW DVR-111D",
        std::string(63, 'W'),
        std::string(5000, 'W'),
        Repeated("AVAW fi ffl T\xc3\xa4st ", 400),
        Repeated("\xe2\x82\xac\xf0\x9f\x92\xbf", 3000),
        "DISC " + Repeated("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d ", 500),
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 30));
        QWidget parent;
        const QRect geometry(0, 0, 209, 18);
        PictureBox whole(&parent, geometry, Qt::white, PictureBox::Border::Sunken);
        PictureBox centred(&parent, geometry, Qt::white, PictureBox::Border::Sunken);
        whole.SetCurrentX(std::max(0.0, (whole.Width() - whole.TextWidth(text)) / 2));
        whole.SetCurrentY(15);
        whole.Print(text);
        PrintCentred(centred, text, 15);
        EXPECT_EQ(whole.Image(), centred.Image());
    }
}

} // namespace
} // namespace velantro
