#include "charts/pixelcanvas.h"

#include <cstdlib>

namespace velantro {

void PlotLine(const PixelCanvas& canvas, int x0, int y0, int x1, int y1, std::uint32_t pixel, int penWidth)
{
    const int width = canvas.Width;
    const int height = canvas.Height;
    const int before = (penWidth - 1) / 2;
    const auto plot = [&](int x, int y) {
        if (penWidth == 1) {
            if (x >= 0 && x < width && y >= 0 && y < height)
                canvas.Bits[y * canvas.Stride + x] = pixel;
            return;
        }
        for (int py = y - before; py < y - before + penWidth; ++py) {
            if (py < 0 || py >= height)
                continue;
            std::uint32_t* line = canvas.Bits + py * canvas.Stride;
            for (int px = x - before; px < x - before + penWidth; ++px) {
                if (px >= 0 && px < width)
                    line[px] = pixel;
            }
        }
    };
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        plot(x0, y0);
        if (x0 == x1 && y0 == y1)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

} // namespace velantro
