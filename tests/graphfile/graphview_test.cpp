#include "support/recording.h"

#include <functional>

namespace velantro {
namespace {

using testing::GraphText;
using testing::PassRun;

// A DVD+R of 2,295,104 sectors on the DVD row's chart of 2,359,296.
std::string Disc()
{
    GraphText text;
    text.Body = "[END_CONFIGURATION]\r\n[START_WRITE]\r\n4,1000,0,90,5\r\n8,2000000,0,90,5\r\n[END_WRITE]\r\n";
    return text.Text();
}

// Every way of moving the view, one after the other: whether it re-plotted,
// and the range shown after it (none: the whole disc).
TEST(GraphView, ZoomPanDragPinchAndSlide)
{
    PassRun run;
    using Step = std::tuple<const char*, std::function<bool(GraphView&)>, bool, std::optional<ZoomRange>>;
    const std::optional<ZoomRange> whole;
    const std::vector<Step> steps = {
        {"no file: nothing zooms", [](GraphView& v) { return v.ZoomTo(ZoomRange{0, 5000}); }, false, whole},
        {"open", [&](GraphView& v) { return v.Open(run.Temp(Disc())).Loaded; }, true, whole},
        {"a whole view does not pan", [](GraphView& v) { return v.Pan(1); }, false, whole},
        {"zoom to a range", [](GraphView& v) { return v.ZoomTo(ZoomRange{100000, 200000}); }, true,
         ZoomRange{100000, 200000}},
        {"the same range again", [](GraphView& v) { return v.ZoomTo(ZoomRange{100000, 200000}); }, false,
         ZoomRange{100000, 200000}},
        {"a notch in about a point", [](GraphView& v) { return v.ZoomAround(150000, 1); }, true,
         ZoomRange{125000, 175000}},
        {"a pan step: a tenth", [](GraphView& v) { return v.Pan(1); }, true, ZoomRange{130000, 180000}},
        {"a slide of a tenth of the width", [](GraphView& v) { return v.Slide(-0.1); }, true,
         ZoomRange{125000, 175000}},
        {"a drag short of the least length", [](GraphView& v) { return v.ZoomToDrag(140000, 160000, 2.9); }, false,
         ZoomRange{125000, 175000}},
        {"a drag of the least length", [](GraphView& v) { return v.ZoomToDrag(160000, 140000, -3); }, true,
         ZoomRange{140000, 160000}},
        {"a pinch spreading twice apart: a notch in", [](GraphView& v) { return v.Pinch(150000, 2); }, true,
         ZoomRange{145000, 155000}},
        {"a pinch of no spread", [](GraphView& v) { return v.Pinch(150000, 0); }, false, ZoomRange{145000, 155000}},
        {"more than the disc is the whole disc", [](GraphView& v) { return v.ZoomTo(ZoomRange{-1, 3e6}); }, true,
         whole},
        {"past the end: cut to the disc", [](GraphView& v) { return v.ZoomTo(ZoomRange{2300000, 2400000}); }, true,
         ZoomRange{2300000, 2359296}},
        {"the same file again: the whole disc", [&](GraphView& v) { return v.Open(v.Path()).Loaded; }, true, whole},
    };
    for (const auto& [name, act, replotted, shown] : steps) {
        SCOPED_TRACE(name);
        EXPECT_EQ(act(run.View), replotted);
        EXPECT_EQ(run.View.Zoom(), shown);
        EXPECT_EQ(run.View.Range(), shown.value_or(ZoomRange{0, 2359296}));
    }
}

// The captions under the charts: at the window's places on the media row's
// width, at their own places zoomed or on a widened chart; back at the
// layout's when the view is whole again; the note only above the scale.
TEST(GraphView, CaptionsFollowTheViewAndTheNote)
{
    GraphText widened;
    widened.Capacity = "5000000";
    widened.Body = "[END_CONFIGURATION]\r\n[START_WRITE]\r\n40,1000,0,90,5\r\n40,2000000,0,90,5\r\n[END_WRITE]\r\n";
    const std::vector<std::tuple<std::string, std::optional<ZoomRange>, bool, std::string, bool>> cases = {
        {Disc(), std::nullopt, true, "0", false},
        {Disc(), ZoomRange{530000, 650000}, false, " 1.05GB", false},
        {widened.Text(), std::nullopt, false, " 0GB", true},
    };
    for (const auto& [text, zoom, atLayout, first, noted] : cases) {
        PassRun run;
        run.Options.Zoom = zoom;
        ASSERT_TRUE(run.LoadText(text).Loaded);
        EXPECT_EQ(run.View.SizeCaptionsAtLayout(), atLayout);
        ASSERT_FALSE(run.View.SizeCaptions().empty());
        EXPECT_EQ(run.View.SizeCaptions().front().Text, first);
        EXPECT_EQ(run.View.AboveScaleNote().has_value(), noted);
        EXPECT_EQ(run.View.AboveScale(), noted);
        if (zoom) {
            ASSERT_TRUE(run.View.ZoomTo(std::nullopt));
            EXPECT_TRUE(run.View.SizeCaptionsAtLayout());
        }
    }
}

} // namespace
} // namespace velantro
