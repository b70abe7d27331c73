#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace velantro {

// A chart image's pixels, 0xFFRRGGBB, as the picture box keeps them.
struct PixelCanvas {
    std::uint32_t* Bits = nullptr;
    std::ptrdiff_t Stride = 0; // pixels from one row to the next
    int Width = 0;
    int Height = 0;
};

// Bresenham between two pixels: exact colours, no antialiasing, so readouts
// can tell series by colour. A pen wider than one pixel sets a square at each
// point; whatever falls beyond the image is left out.
void PlotLine(const PixelCanvas& canvas, int x0, int y0, int x1, int y1, std::uint32_t pixel, int penWidth);

// The same for a line whose ends share column x: rows top to bottom.
inline void PlotColumn(const PixelCanvas& canvas, int x, int top, int bottom, std::uint32_t pixel, int penWidth)
{
    const int before = (penWidth - 1) / 2;
    const int left = std::max(x - before, 0);
    const int right = std::min(x - before + penWidth, canvas.Width);
    const int from = std::max(top - before, 0);
    const int to = std::min(bottom - before + penWidth, canvas.Height);
    for (int y = from; y < to; ++y) {
        std::uint32_t* line = canvas.Bits + y * canvas.Stride;
        for (int px = left; px < right; ++px)
            line[px] = pixel;
    }
}

} // namespace velantro
