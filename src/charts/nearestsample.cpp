#include "charts/nearestsample.h"

#include <algorithm>
#include <cmath>

namespace velantro {

NearestSamples::NearestSamples(const ZoomRange& view, int columns) : view_(view), columns_(std::max(columns, 0))
{
    for (auto& series : kept_)
        series.assign(static_cast<std::size_t>(columns_), std::nullopt);
}

long NearestSamples::Column(double sector) const
{
    if (columns_ <= 0 || !(view_.Width() > 0))
        return -1;
    const double column = std::floor((sector - view_.Left) / view_.Width() * static_cast<double>(columns_));
    return column >= 0 && column < static_cast<double>(columns_) ? static_cast<long>(column) : -1;
}

void NearestSamples::Add(int series, double sector, double value)
{
    const long column = Column(sector);
    if (series < 0 || series >= ChartSeriesCount || column < 0 || !std::isfinite(value))
        return;
    const double middle = view_.Left + (static_cast<double>(column) + 0.5) * view_.Width() / static_cast<double>(columns_);
    auto& kept = kept_[static_cast<std::size_t>(series)][static_cast<std::size_t>(column)];
    if (!kept || std::abs(sector - middle) < std::abs(kept->Sector - middle))
        kept = SeriesSample{sector, value};
}

std::optional<SeriesSample> NearestSamples::Nearest(int series, double sector) const
{
    const long column = Column(sector);
    if (series < 0 || series >= ChartSeriesCount || column < 0)
        return std::nullopt;
    std::optional<SeriesSample> best;
    for (long c = std::max(0L, column - 1); c <= std::min(columns_ - 1, column + 1); ++c) {
        const auto& kept = kept_[static_cast<std::size_t>(series)][static_cast<std::size_t>(c)];
        if (kept && (!best || std::abs(kept->Sector - sector) < std::abs(best->Sector - sector)))
            best = kept;
    }
    return best;
}

} // namespace velantro
