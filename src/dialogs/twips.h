#pragma once

#include <QRect>

namespace velantro {

// The windows are laid out in twips at 15 twips per pixel.
constexpr int TwipsToPixels(int twips)
{
    return twips / 15;
}

constexpr QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

} // namespace velantro
