#pragma once

#include "charts/pixelcanvas.h"
#include "charts/pixelgrid.h"

#include <cstdint>
#include <string>

namespace velantro {

// 0xRRGGBB; readouts recognise series by exact colour, so no alpha.
using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b)
{
    return (static_cast<Colour>(r) << 16) | (static_cast<Colour>(g) << 8) | static_cast<Colour>(b);
}

// The picture box operations the drawing code relies on. Chart boxes use a
// user scale set by the frames; text panels keep their scale in twips.
class Surface {
public:
    virtual ~Surface() = default;

    virtual void Cls() = 0;
    virtual void SetScaleWidth(float width) = 0;
    virtual void SetScaleHeight(float height) = 0;
    // User X at the left edge: 0 but in a zoomed chart.
    virtual void SetScaleLeft(float left) = 0;
    virtual float ScaleLeft() const = 0;
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;
    // Outer width in twips; the text panels centre with it.
    virtual double Width() const = 0;
    virtual void Line(float x1, float y1, float x2, float y2, Colour colour) = 0;
    virtual void SetCurrentX(double x) = 0;
    virtual void SetCurrentY(double y) = 0;
    // Texts are UTF-8.
    virtual double TextWidth(const std::string& text) const = 0;
    virtual void Print(const std::string& text) = 0;
    // The colour Print writes in from now on; the box's own until set.
    virtual void SetForeColor(Colour) {}
    // The colour at a point in user coordinates, or -1 outside the image.
    virtual std::int32_t Point(float x, float y) const = 0;
    // Where user coordinates land on pixels; none where nothing is drawn.
    virtual const PixelGrid* Pixels() const { return nullptr; }
    // The image's pixels, for drawing that cannot afford a call a segment;
    // asking for them counts as drawing. None where there is no image.
    virtual PixelCanvas Canvas() { return {}; }
};

} // namespace velantro
