#pragma once

#include "charts/seriescolours.h"
#include "charts/surface.h"
#include "graphfile/graphview.h"
#include "support/graphtext.h"

#include <list>

namespace velantro::testing {

struct Segment {
    float X1, Y1, X2, Y2;
    velantro::Colour Colour;
    bool operator==(const Segment&) const = default;
};

struct PrintedText {
    std::string Text;
    double X, Y;
    bool operator==(const PrintedText&) const = default;
};

// Keeps every drawing operation since the last Clear; ten twips a character
// keeps the centring easy to follow.
class RecordingSurface : public Surface {
public:
    void Clear() override { Lines.clear(), Printed.clear(); }
    void SetUserScale(float left, float width, float height) override
    {
        scaleLeft_ = left, scaleWidth_ = width, scaleHeight_ = height;
    }
    float UserLeft() const override { return scaleLeft_; }
    float UserWidth() const override { return scaleWidth_; }
    float UserHeight() const override { return scaleHeight_; }
    double Width() const override { return 3000; }
    void Line(float x1, float y1, float x2, float y2, Colour c) override { Lines.push_back({x1, y1, x2, y2, c}); }
    double TextWidth(const std::string& text) const override { return 10.0 * static_cast<double>(text.size()); }
    void Text(double x, double y, const std::string& text, std::optional<velantro::Colour>) override
    {
        Printed.push_back({text, x, y});
    }
    std::optional<velantro::Colour> ColourAt(float, float) const override { return std::nullopt; }

    std::vector<Segment> LinesIn(velantro::Colour c) const
    {
        std::vector<Segment> found;
        std::copy_if(Lines.begin(), Lines.end(), std::back_inserter(found), [&](auto& s) { return s.Colour == c; });
        return found;
    }

    std::vector<Segment> Lines;
    std::vector<PrintedText> Printed;

private:
    float scaleLeft_ = 0, scaleWidth_ = 0, scaleHeight_ = 0;
};

// The view's four surfaces, recorded.
struct RecordingSurfaces {
    RecordingSurface Speed, Percent, Drive, InfoValues;

    ViewSurfaces Surfaces() { return {&Speed, &Percent, &Drive, &InfoValues}; }
};

// A view fresh from start-up, shown files with the options as they stand.
struct PassRun {
    RecordingSurfaces Drawn;
    GraphView View{Drawn.Surfaces(), [](const std::string& text) { return "date(" + text + ")"; }};
    ViewOptions Options;
    LoadOutcome Outcome;

    explicit PassRun(bool averaged = true, int blockSize = 10)
    {
        Options.Averaged = averaged, Options.BlockSize = blockSize;
    }
    LoadOutcome Load(const std::string& path) { return Outcome = View.Show(path, Options); }
    LoadOutcome LoadText(const std::string& text) { return Load(Temp(text)); }
    const std::string& Temp(const std::string& text) { return files_.emplace_back(text).Path(); }

private:
    std::list<TempFile> files_;
};

} // namespace velantro::testing
