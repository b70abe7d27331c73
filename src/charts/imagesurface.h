#pragma once

#include "charts/pixelcanvas.h"
#include "charts/pixelgrid.h"
#include "charts/surface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velantro {

// How a chart's image is drawn on and read, whoever holds the pixels: the
// desktop's picture box and the page's canvas both go through these, so the
// two cannot disagree by a pixel.

// The grid for a user scale over an image of width x height pixels.
void ScaleGrid(PixelGrid& grid, double scaleLeft, double scaleWidth, double scaleHeight, int width, int height);

// A line in user coordinates, clipped as the picture box clips it.
void DrawLine(const PixelGrid& grid, const PixelCanvas& canvas, float x1, float y1, float x2, float y2,
              Colour colour);

// The colour at a point in user coordinates; none outside the image.
std::optional<Colour> ReadPoint(const PixelGrid& grid, const PixelCanvas& canvas, float x, float y);

// A chart box without a toolkit: an image of its inner area with the user
// scale the frames set, in twips until they set one. It prints no text; the
// charts hold none.
class ImageSurface : public Surface {
public:
    // Size in logical pixels; the image holds it at ratio times as many.
    ImageSurface(int width, int height, Colour background, int ratio = 1);

    void Clear() override;
    void SetUserScale(float left, float width, float height) override;
    float UserLeft() const override { return static_cast<float>(scaleLeft_); }
    float UserWidth() const override { return static_cast<float>(scaleWidth_); }
    float UserHeight() const override { return static_cast<float>(scaleHeight_); }
    double Width() const override;
    void Line(float x1, float y1, float x2, float y2, Colour colour) override;
    double TextWidth(const std::string&) const override { return 0; }
    void Text(double, double, const std::string&, std::optional<Colour>) override {}
    std::optional<Colour> ColourAt(float x, float y) const override;
    const PixelGrid* Pixels() const override { return &grid_; }
    PixelCanvas Canvas() override;

    // Lines this many pixels wide: one screen pixel on an image held at a ratio.
    void SetPenWidth(int width) { grid_.PenWidth = width < 1 ? 1 : width; }

    int ImageWidth() const { return grid_.Width; }
    int ImageHeight() const { return grid_.Height; }
    // 0xFFRRGGBB a pixel, rows top to bottom.
    const std::vector<std::uint32_t>& Bits() const { return bits_; }

private:
    void UpdateGrid();

    std::vector<std::uint32_t> bits_;
    int logicalWidth_;
    std::uint32_t background_;
    double scaleLeft_ = 0;
    double scaleWidth_ = 0;
    double scaleHeight_ = 0;
    PixelGrid grid_;
};

} // namespace velantro
