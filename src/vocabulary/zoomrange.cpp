#include "vocabulary/zoomrange.h"

#include <algorithm>
#include <cmath>

namespace velantro {

namespace {

bool Usable(const ZoomLimits& limits)
{
    return std::isfinite(limits.Whole) && limits.Whole > 0;
}

// Keeps the width, moves the range inside 0..Whole.
ZoomRange Shift(double left, double width, double whole)
{
    left = std::clamp(left, 0.0, whole - width);
    return {left, left + width};
}

} // namespace

ZoomRange WholeRange(const ZoomLimits& limits)
{
    return {0, Usable(limits) ? limits.Whole : 0};
}

bool ShowsWhole(const ZoomRange& view, const ZoomLimits& limits)
{
    return view == WholeRange(limits);
}

ZoomRange ClampZoom(const ZoomRange& wanted, const ZoomLimits& limits)
{
    if (!Usable(limits) || !std::isfinite(wanted.Left) || !std::isfinite(wanted.Right))
        return WholeRange(limits);
    const double whole = limits.Whole;
    const double minimum = std::clamp(limits.Minimum, 0.0, whole);
    const double left = std::max(std::min(wanted.Left, wanted.Right), 0.0);
    const double right = std::min(std::max(wanted.Left, wanted.Right), whole);
    if (right - left >= minimum)
        return {left, right};
    // Cut away entirely or too narrow: the minimum about what is left of it.
    const double centre = left <= right ? (left + right) / 2 : std::clamp(wanted.Left, 0.0, whole);
    return Shift(centre - minimum / 2, minimum, whole);
}

ZoomRange ZoomAround(const ZoomRange& view, double at, double notches, const ZoomLimits& limits)
{
    const ZoomRange from = ClampZoom(view, limits);
    if (!std::isfinite(at) || !std::isfinite(notches) || from.Width() <= 0)
        return from;
    const double whole = limits.Whole;
    const double width = std::clamp(from.Width() / std::exp2(notches), std::min(limits.Minimum, whole), whole);
    const double place = std::clamp((at - from.Left) / from.Width(), 0.0, 1.0);
    return Shift(at - place * width, width, whole);
}

ZoomRange ZoomToDrag(const ZoomRange& view, double from, double to, const ZoomLimits& limits)
{
    const ZoomRange inside = ClampZoom(view, limits);
    const auto within = [&](double x) { return std::clamp(x, inside.Left, inside.Right); };
    if (!std::isfinite(from) || !std::isfinite(to))
        return inside;
    return ClampZoom({within(std::min(from, to)), within(std::max(from, to))}, limits);
}

double CaptionStep(const ZoomRange& range, int most)
{
    const double width = range.Width();
    if (!(width > 0) || !std::isfinite(width) || most < 1)
        return 0;
    const auto count = [&](double step) { return std::floor(range.Right / step) - std::ceil(range.Left / step) + 1; };
    double decade = std::pow(10.0, std::floor(std::log10(width / most)) - 1);
    for (;;) {
        for (const double mantissa : {1.0, 2.0, 5.0}) {
            if (count(mantissa * decade) <= most)
                return mantissa * decade;
        }
        decade *= 10;
    }
}

} // namespace velantro
