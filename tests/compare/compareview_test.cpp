#include "compare/compareview.h"

#include "charts/imagesurface.h"
#include "support/graphtext.h"

#include <gtest/gtest.h>
#include <ibggen.h>

#include <unistd.h>

#include <set>

namespace velantro {
namespace {

// Only files drawn count against the eight colours; the same file under any
// name is compared once.
TEST(CompareView, FilesAddedCountOnlyTheDrawn)
{
    const testing::TempFile folder("", "unused");
    std::vector<std::string> good;
    for (int i = 0; i < 9; ++i) {
        good.push_back(folder.In("good" + std::to_string(i) + ".ibg"));
        ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::CdWriteOnly, 40, "\r\n", static_cast<unsigned>(i)}, good.back()));
    }
    const std::string bad = folder.In("bad.ibg"), linked = folder.In("linked.ibg");
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::TruncatedWrite, 40, "\r\n", 1}, bad));
    ASSERT_EQ(::link(good[0].c_str(), linked.c_str()), 0);
    struct Case {
        const char* Name;
        std::vector<std::string> Before, Batch;
        std::size_t Drawn, Unreadable, Duplicates, NoRoom, DrawnAfter;
    };
    const std::vector<Case> cases = {
        {"3 places, 5 added, 1 unreadable", {good[0], good[1], good[2], good[3], good[4]},
         {good[5], bad, good[6], good[7], good[8]}, 3, 1, 0, 1, 8},
        {"exactly the places left", {good[0]}, {good[1], good[2], good[3], good[4], good[5], good[6], good[7]}, 7, 0,
         0, 0, 8},
        {"the same file, by another name and twice in a batch", {good[0]}, {linked, good[1], good[1]}, 1, 0, 2, 0, 2},
        {"no place left", {good[0], good[1], good[2], good[3], good[4], good[5], good[6], good[7]}, {good[8], bad}, 0,
         1, 0, 1, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        CompareView view;
        view.SetPlot(200, 100, 1);
        view.Add(c.Before);
        const CompareAdded added = view.Add(c.Batch);
        EXPECT_EQ(added.Drawn, c.Drawn);
        EXPECT_EQ(added.Unreadable, c.Unreadable);
        EXPECT_EQ(added.Duplicates.size(), c.Duplicates);
        EXPECT_EQ(added.NoRoom, c.NoRoom);
        EXPECT_EQ(view.Set().DrawnCount(), c.DrawnAfter);
        EXPECT_EQ(CompareAddedText(added).empty(), c.NoRoom + c.Duplicates == 0);
    }
}

// Wheel, drag and pan change the view as the main window's do: a drag
// shorter than three logical pixels is a click, a pan moves a zoomed view by
// a tenth and leaves the whole axis alone.
TEST(CompareView, ZoomDragAndPan)
{
    const testing::TempFile file("", "unused");
    const std::string path = file.In("dvd.ibg");
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::DvdBurnVerify, 200, "\r\n", 1}, path));
    enum class Act { Wheel, Drag, Pan, Whole };
    struct Case {
        const char* Name;
        double Ratio;
        std::vector<std::tuple<Act, double, double>> Acts;
        double Left, Right; // shares of the whole axis
    };
    const std::vector<Case> cases = {
        {"pan on the whole axis", 1, {{Act::Pan, 1, 0}}, 0, 1},
        {"a notch at the middle", 1, {{Act::Wheel, 199.5, 1}}, 0.25, 0.75},
        {"then a pan step", 1, {{Act::Wheel, 199.5, 1}, {Act::Pan, 1, 0}}, 0.3, 0.8},
        {"pan beyond the end", 1, {{Act::Wheel, 399, 1}, {Act::Pan, 3, 0}}, 0.5, 1},
        {"drag of 3 pixels", 1, {{Act::Drag, 100, 103}}, 0.25, 0.26},
        {"drag of 2 pixels", 1, {{Act::Drag, 100, 102}}, 0, 1},
        {"drag of 5 device pixels at 2", 2, {{Act::Drag, 200, 205}}, 0, 1},
        {"drag of 6 device pixels at 2", 2, {{Act::Drag, 200, 206}}, 0.25, 0.258},
        {"back to the whole", 1, {{Act::Wheel, 100, 2}, {Act::Whole, 0, 0}}, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        CompareView view;
        view.SetPlot(static_cast<int>(400 * c.Ratio), 100, c.Ratio);
        view.Add({path});
        for (const auto& [act, a, b] : c.Acts) {
            if (act == Act::Wheel)
                view.Wheel(a, b);
            else if (act == Act::Drag)
                view.Drag(a, b);
            else if (act == Act::Pan)
                view.Pan(a);
            else
                view.ShowWhole();
        }
        const double whole = view.Set().Limits().Whole;
        EXPECT_NEAR(view.Set().View().Left / whole, c.Left, 0.003);
        EXPECT_NEAR(view.Set().View().Right / whole, c.Right, 0.003);
        EXPECT_EQ(view.Zoomed(), c.Right - c.Left < 1);
    }
}

// Every file's line in its own colour over the grid, the readout naming each
// file's value at the place.
TEST(CompareView, LinesGridAndReadout)
{
    const testing::TempFile folder("", "unused");
    const std::string cd = folder.In("cd.ibg"), dvd = folder.In("dvd.ibg");
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::CdWriteOnly, 300, "\r\n", 1}, cd));
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::DvdBurnVerify, 300, "\r\n", 2}, dvd));
    CompareView view;
    view.SetPlot(300, 150, 1);
    view.Add({cd, dvd});
    ImageSurface plot(300, 150, CompareBackground);
    view.Draw(plot);
    std::set<std::uint32_t> colours;
    for (std::uint32_t pixel : plot.Bits())
        colours.insert(pixel & 0xFFFFFFu);
    EXPECT_EQ(colours, (std::set<std::uint32_t>{CompareBackground, CompareGrid, CompareColour(0), CompareColour(1)}));
    const struct {
        double X;
        std::size_t Values;
    } places[] = {{20, 2}, {150, 1}, {-1, 0}, {300, 0}};
    for (const auto& place : places) {
        const auto readout = view.ReadoutAt(place.X, 75, U'.');
        EXPECT_EQ(readout ? readout->Values.size() : 0, place.Values) << place.X;
    }
}

} // namespace
} // namespace velantro
