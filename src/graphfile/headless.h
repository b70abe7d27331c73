#pragma once

#include "charts/surface.h"
#include "graphfile/loadpass.h"

#include <string>

namespace velantro {

// Draws nothing; keeps the last text printed, which is all the drive panel holds.
class DiscardSurface : public Surface {
public:
    void Cls() override { LastPrinted.clear(); }
    void SetScaleWidth(float width) override { scaleWidth_ = width; }
    void SetScaleHeight(float height) override { scaleHeight_ = height; }
    void SetScaleLeft(float) override {}
    float ScaleLeft() const override { return 0; }
    float ScaleWidth() const override { return scaleWidth_; }
    float ScaleHeight() const override { return scaleHeight_; }
    double Width() const override { return 0; }
    void Line(float, float, float, float, Colour) override {}
    void SetCurrentX(double) override {}
    void SetCurrentY(double) override {}
    double TextWidth(const std::string&) const override { return 0; }
    void Print(const std::string& text) override { LastPrinted = text; }
    std::int32_t Point(float, float) const override { return -1; }

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
