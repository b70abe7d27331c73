#include "windows/picturebox.h"
#include "graphfile/infopanel.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>

namespace velantro {
namespace {

// Only the start of a value wider than its panel is laid out, yet the picture
// is the whole value's: centred when it fits, else from X = 0 and cut at the
// edge, with kerning, ligatures and right-to-left runs as in the whole.
TEST(InfoPanel, WideValuesPrintAsWhole)
{
    const std::vector<std::pair<std::string, int>> pieces = {
        {"PIONEER DVD-RW DVR-111D", 1}, {"W", 63}, {"W", 5000}, {"AVAW fi ffl T\xc3\xa4st ", 400},
        {"\xe2\x82\xac\xf0\x9f\x92\xbf", 3000}, {"DISC \xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d", 500},
    };
    for (const auto& [piece, times] : pieces) {
        std::string text;
        for (int i = 0; i < times; ++i)
            text += piece;
        QWidget parent;
        PictureBox whole(&parent, QRect(0, 0, 209, 18), Qt::white, PictureBox::Border::Sunken);
        PictureBox centred(&parent, QRect(0, 0, 209, 18), Qt::white, PictureBox::Border::Sunken);
        whole.Text(std::max(0.0, (whole.Width() - whole.TextWidth(text)) / 2), 15, text);
        PrintCentred(centred, text, 15);
        EXPECT_EQ(whole.Image(), centred.Image()) << piece << " x " << times;
    }
}

} // namespace
} // namespace velantro
