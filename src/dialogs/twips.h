#pragma once

#include "vocabulary/twips.h"

#include <QRect>

namespace velantro {

// A rectangle of the layout, in pixels.
constexpr QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

} // namespace velantro
