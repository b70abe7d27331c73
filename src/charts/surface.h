#pragma once

#include "charts/pixelcanvas.h"
#include "charts/pixelgrid.h"

#include <cstdint>
#include <optional>
#include <string>

namespace velantro {

// 0xRRGGBB; readouts recognise series by exact colour, so no alpha.
using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b)
{
    return (static_cast<Colour>(r) << 16) | (static_cast<Colour>(g) << 8) | static_cast<Colour>(b);
}

// What the drawing code draws on: a picture with a user scale. Charts take
// the scale the frames set; text panels keep theirs in twips.
class Surface {
public:
    virtual ~Surface() = default;

    // Back to the background colour.
    virtual void Clear() = 0;
    // X from `left` (0 but in a zoomed chart) across `width`, Y from the top
    // down across `height`.
    virtual void SetUserScale(float left, float width, float height) = 0;
    virtual float UserLeft() const = 0;
    virtual float UserWidth() const = 0;
    virtual float UserHeight() const = 0;
    // Outer width in twips; the text panels centre with it.
    virtual double Width() const = 0;
    virtual void Line(float x1, float y1, float x2, float y2, Colour colour) = 0;
    // Texts are UTF-8, placed by their top left corner in user units, in
    // the surface's own text colour unless one is given.
    virtual double TextWidth(const std::string& text) const = 0;
    virtual void Text(double x, double y, const std::string& text, std::optional<Colour> colour = std::nullopt) = 0;
    // The colour at a point in user coordinates; none outside the picture.
    virtual std::optional<Colour> ColourAt(float x, float y) const = 0;
    // Where user coordinates land on pixels; none where nothing is drawn.
    virtual const PixelGrid* Pixels() const { return nullptr; }
    // The image's pixels, for drawing that cannot afford a call a segment;
    // asking for them counts as drawing. None where there is no image.
    virtual PixelCanvas Canvas() { return {}; }
};

} // namespace velantro
