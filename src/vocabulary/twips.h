#pragma once

namespace velantro {

// The windows are laid out in twips: 15 to a pixel on a 96-dpi screen.
constexpr int TwipsPerPixel = 15;

// A layout length in pixels, to the nearest.
constexpr int TwipsToPixels(int twips)
{
    return twips >= 0 ? (2 * twips + TwipsPerPixel) / (2 * TwipsPerPixel)
                      : -((-2 * twips + TwipsPerPixel) / (2 * TwipsPerPixel));
}

} // namespace velantro
