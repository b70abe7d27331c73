#pragma once

#include "charts/surface.h"
#include "graphfile/loadpass.h"

#include <string>

namespace velantro {

// Draws nothing; keeps the last text printed, which is all the drive panel holds.
class DiscardSurface : public Surface {
public:
    void Clear() override { LastPrinted.clear(); }
    void SetUserScale(float, float width, float height) override { scaleWidth_ = width, scaleHeight_ = height; }
    float UserLeft() const override { return 0; }
    float UserWidth() const override { return scaleWidth_; }
    float UserHeight() const override { return scaleHeight_; }
    double Width() const override { return 0; }
    void Line(float, float, float, float, Colour) override {}
    double TextWidth(const std::string&) const override { return 0; }
    void Text(double, double, const std::string& text, std::optional<Colour>) override { LastPrinted = text; }
    std::optional<Colour> ColourAt(float, float) const override { return std::nullopt; }

    std::string LastPrinted;

private:
    float scaleWidth_ = 0;
    float scaleHeight_ = 0;
};

// Four surfaces that keep nothing: a view for runs without a window.
struct DiscardSurfaces {
    DiscardSurface SpeedChart, PercentChart, DrivePanel, InfoValuesPanel;

    ViewSurfaces Surfaces() { return {&SpeedChart, &PercentChart, &DrivePanel, &InfoValuesPanel}; }
};

} // namespace velantro
