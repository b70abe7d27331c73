#include "charts/imagesurface.h"

#include "vocabulary/twips.h"

#include "charts/clipline.h"

#include <algorithm>
#include <cmath>

namespace velantro {

namespace {

// Picture boxes measure in twips until a frame sets a scale.

} // namespace

void ScaleGrid(PixelGrid& grid, double scaleLeft, double scaleWidth, double scaleHeight, int width, int height)
{
    grid.Left = scaleLeft;
    grid.XFactor = scaleWidth == 0 ? 0 : width / scaleWidth;
    grid.YFactor = scaleHeight == 0 ? 0 : height / scaleHeight;
    grid.Width = width;
    grid.Height = height;
}

void DrawLine(const PixelGrid& grid, const PixelCanvas& canvas, float x1, float y1, float x2, float y2,
              Colour colour)
{
    if (grid.XFactor == 0 || grid.YFactor == 0)
        return;
    double ax = grid.X(x1);
    double ay = grid.Y(y1);
    double bx = grid.X(x2);
    double by = grid.Y(y2);
    // Written so that NaN fails the test and takes the careful path.
    if (!grid.Holds(ax, ay, bx, by)) {
        if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by) ||
            grid.Misses(ax, ay, bx, by))
            return;
        const double margin = PixelGrid::ClipMargin;
        if (!ClipLine(ax, ay, bx, by, -margin, -margin, grid.Width + margin, grid.Height + margin))
            return;
    }
    PlotLine(canvas, PixelGrid::Index(ax), PixelGrid::Index(ay), PixelGrid::Index(bx), PixelGrid::Index(by),
             0xFF000000u | colour, grid.PenWidth);
}

std::optional<Colour> ReadPoint(const PixelGrid& grid, const PixelCanvas& canvas, float x, float y)
{
    if (grid.XFactor == 0 || grid.YFactor == 0)
        return std::nullopt;
    const double px = grid.X(x);
    const double py = grid.Y(y);
    if (!std::isfinite(px) || !std::isfinite(py) || px < -1 || py < -1 || px > canvas.Width || py > canvas.Height)
        return std::nullopt;
    const int ix = PixelGrid::Index(px);
    const int iy = PixelGrid::Index(py);
    if (ix < 0 || iy < 0 || ix >= canvas.Width || iy >= canvas.Height)
        return std::nullopt;
    return canvas.Bits[iy * canvas.Stride + ix] & 0xFFFFFFu;
}

ImageSurface::ImageSurface(int width, int height, Colour background, int ratio)
    : logicalWidth_(std::max(1, width)), background_(0xFF000000u | background)
{
    const int pixelWidth = std::max(1, width * ratio);
    const int pixelHeight = std::max(1, height * ratio);
    bits_.assign(static_cast<std::size_t>(pixelWidth) * static_cast<std::size_t>(pixelHeight), background_);
    grid_.PenWidth = std::max(1, ratio);
    grid_.Width = pixelWidth;
    grid_.Height = pixelHeight;
    scaleWidth_ = static_cast<double>(width) * TwipsPerPixel;
    scaleHeight_ = static_cast<double>(height) * TwipsPerPixel;
    UpdateGrid();
}

void ImageSurface::UpdateGrid()
{
    ScaleGrid(grid_, scaleLeft_, scaleWidth_, scaleHeight_, grid_.Width, grid_.Height);
}

void ImageSurface::Clear()
{
    std::fill(bits_.begin(), bits_.end(), background_);
}

void ImageSurface::SetUserScale(float left, float width, float height)
{
    scaleLeft_ = left;
    scaleWidth_ = width;
    scaleHeight_ = height;
    UpdateGrid();
}

double ImageSurface::Width() const
{
    return static_cast<double>(logicalWidth_) * TwipsPerPixel;
}

void ImageSurface::Line(float x1, float y1, float x2, float y2, Colour colour)
{
    DrawLine(grid_, Canvas(), x1, y1, x2, y2, colour);
}

std::optional<Colour> ImageSurface::ColourAt(float x, float y) const
{
    return ReadPoint(grid_, {const_cast<std::uint32_t*>(bits_.data()), grid_.Width, grid_.Width, grid_.Height}, x, y);
}

PixelCanvas ImageSurface::Canvas()
{
    return {bits_.data(), grid_.Width, grid_.Width, grid_.Height};
}

} // namespace velantro
