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

void NearestSamples::Add(Series series, double sector, double value)
{
    const long column = Column(sector);
    if (column < 0 || !std::isfinite(value))
        return;
    const double middle = view_.Left + (static_cast<double>(column) + 0.5) * view_.Width() / static_cast<double>(columns_);
    auto& kept = kept_[SeriesIndex(series)][static_cast<std::size_t>(column)];
    if (!kept || std::abs(sector - middle) < std::abs(kept->Sector - middle))
        kept = SeriesSample{sector, value};
}

std::optional<SeriesSample> NearestSamples::Nearest(Series series, double sector) const
{
    const long column = Column(sector);
    if (column < 0)
        return std::nullopt;
    // Outwards from the pointer's column, until no column further out can
    // hold a nearer sample than the best found.
    const auto& kept = kept_[SeriesIndex(series)];
    const double width = view_.Width() / static_cast<double>(columns_);
    std::optional<SeriesSample> best;
    for (long distance = 0; distance < columns_; ++distance) {
        if (best && (static_cast<double>(distance) - 1) * width > std::abs(best->Sector - sector))
            break;
        for (const long c : {column - distance, column + distance}) {
            if (c < 0 || c >= columns_ || (distance == 0 && c != column))
                continue;
            const auto& sample = kept[static_cast<std::size_t>(c)];
            if (sample && (!best || std::abs(sample->Sector - sector) < std::abs(best->Sector - sector)))
                best = sample;
        }
    }
    return best;
}

} // namespace velantro
