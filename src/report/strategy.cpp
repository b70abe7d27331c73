#include "report/strategy.h"

#include <algorithm>
#include <cmath>

namespace velantro {

namespace {

// Fewer points than this cannot show a shape.
constexpr std::size_t MinPoints = 12;
// The spin-up at the start and the slowdown at the end are no part of the
// strategy: that share of the points is left out at each end.
constexpr double StartTrim = 0.08;
constexpr double EndTrim = 0.04;
// A burn within 10 % of its top speed throughout is constant; drives jitter
// by a few percent.
constexpr double FlatTolerance = 0.10;
// Zones differ by a speed step of 2x or more, at least a tenth of the top
// speed, taken between two neighbouring points or across one in between (a
// step inside a point's stretch); a CAV burn never rises that fast. Within a
// zone the speed stays within 5 % of the top speed.
constexpr double StepJump = 0.10;
constexpr double ZoneFlatness = 0.05;
// A stretch is the mean of many samples, so neighbours within a zone agree
// far closer than 1 % of the top speed; one a step falls into differs more.
constexpr double StraddleTolerance = 0.01;
// A zone spans at least a twelfth of the points, and the zones together at
// least 85 % (the rest are the steps between them).
constexpr double MinZoneShare = 1.0 / 12;
constexpr double ZoneCoverage = 0.85;
// A model fits when its root mean square error is below 3 % of the top speed.
constexpr double FitTolerance = 0.03;
// A curve that rises by less than 15 % does not rise with the radius.
constexpr double MinRise = 1.15;
// The constant end of a P-CAV burn spans at least a tenth of the points, and
// must fit clearly better than CAV, which ends rising gently.
constexpr double MinFlatShare = 0.10;
constexpr double BetterFit = 0.5;

struct Point {
    double Sector;
    double Speed;
    double First;
    double Last;
};

// Least squares of speed squared on sector: at constant angular speed the
// speed grows with the radius, whose square grows in step with the sector.
struct RadiusFit {
    double Intercept = 0;
    double Slope = 0;

    RadiusFit(const std::vector<Point>& points, std::size_t begin, std::size_t end)
    {
        const double n = static_cast<double>(end - begin);
        double sx = 0, sy = 0, sxx = 0, sxy = 0;
        for (std::size_t i = begin; i < end; ++i) {
            const double x = points[i].Sector;
            const double y = points[i].Speed * points[i].Speed;
            sx += x;
            sy += y;
            sxx += x * x;
            sxy += x * y;
        }
        const double det = n * sxx - sx * sx;
        Slope = det != 0 ? (n * sxy - sx * sy) / det : 0;
        Intercept = (sy - Slope * sx) / n;
    }

    double At(double sector) const { return std::sqrt(std::max(0.0, Intercept + Slope * sector)); }
};

double SquaredError(const std::vector<Point>& points, std::size_t begin, std::size_t end, const RadiusFit& fit)
{
    double sum = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const double e = points[i].Speed - fit.At(points[i].Sector);
        sum += e * e;
    }
    return sum;
}

// The stretches between steps up; empty when the curve is not made of flat zones.
std::vector<Zone> FlatZones(const std::vector<Point>& points, double top, std::size_t minLength)
{
    std::vector<Zone> zones;
    std::size_t covered = 0;
    const auto close = [&](std::size_t begin, std::size_t end) {
        if (end - begin < minLength)
            return true;
        double low = points[begin].Speed, high = low, sum = 0;
        for (std::size_t i = begin; i < end; ++i) {
            low = std::min(low, points[i].Speed);
            high = std::max(high, points[i].Speed);
            sum += points[i].Speed;
        }
        zones.push_back({points[begin].First, points[end - 1].Last, sum / static_cast<double>(end - begin)});
        covered += end - begin;
        return high - low <= ZoneFlatness * top;
    };
    const auto step = [&](std::size_t from, std::size_t to) {
        return points[to].Speed - points[from].Speed >= StepJump * top;
    };
    // A stretch that a step falls into averages both zones: it is level with
    // neither neighbour and belongs to no zone, on either side of the step.
    const auto level = [&](std::size_t a, std::size_t b) {
        return std::abs(points[a].Speed - points[b].Speed) <= StraddleTolerance * top;
    };
    std::size_t begin = 0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        std::size_t end = i, next = i;
        if (step(i - 1, i)) {
            if (i >= 2 && !level(i - 1, i - 2))
                end = i - 1;
            if (i + 1 < points.size() && !level(i, i + 1))
                next = i + 1;
        } else if (i + 1 < points.size() && step(i - 1, i + 1) && !step(i, i + 1)) {
            next = i + 1; // halfway up, no step on either side of it alone
        } else {
            continue;
        }
        if (!close(begin, end))
            return {};
        begin = next;
        i = next;
    }
    if (!close(begin, points.size()) || zones.size() < 2 ||
        static_cast<double>(covered) < ZoneCoverage * static_cast<double>(points.size()))
        return {};
    return zones;
}

} // namespace

const char* StrategyName(Strategy strategy)
{
    switch (strategy) {
    case Strategy::Clv:
        return "CLV";
    case Strategy::Cav:
        return "CAV";
    case Strategy::Pcav:
        return "P-CAV";
    case Strategy::Zclv:
        return "Z-CLV";
    case Strategy::Unknown:
        break;
    }
    return "unknown";
}

void SpeedProfile::Add(double sector, double speed)
{
    if (!started_) {
        started_ = true;
        origin_ = sector;
    }
    const double offset = std::max(0.0, sector - origin_);
    while (offset >= end_)
        Merge();
    const auto index = std::min(static_cast<std::size_t>(offset * inverseWidth_), ProfileBins - 1);
    Bin& bin = bins_[index];
    if (bin.Count == 0)
        bin.FirstSector = bin.LastSector = sector;
    bin.FirstSector = std::min(bin.FirstSector, sector);
    bin.LastSector = std::max(bin.LastSector, sector);
    bin.SectorSum += sector;
    bin.SpeedSum += speed;
    ++bin.Count;
}

void SpeedProfile::Merge()
{
    for (std::size_t i = 0; i < ProfileBins / 2; ++i) {
        Bin merged = bins_[2 * i];
        const Bin& next = bins_[2 * i + 1];
        if (merged.Count == 0) {
            merged = next;
        } else if (next.Count > 0) {
            merged.Count += next.Count;
            merged.SectorSum += next.SectorSum;
            merged.SpeedSum += next.SpeedSum;
            merged.FirstSector = std::min(merged.FirstSector, next.FirstSector);
            merged.LastSector = std::max(merged.LastSector, next.LastSector);
        }
        bins_[i] = merged;
    }
    std::fill(bins_.begin() + ProfileBins / 2, bins_.end(), Bin{});
    width_ *= 2;
    inverseWidth_ /= 2;
    end_ = width_ * static_cast<double>(ProfileBins);
}

std::vector<SpeedProfile::Bin> SpeedProfile::Bins() const
{
    std::vector<Bin> used;
    for (const Bin& bin : bins_) {
        if (bin.Count > 0)
            used.push_back(bin);
    }
    return used;
}

StrategyResult ClassifyStrategy(const SpeedProfile& profile)
{
    const std::vector<SpeedProfile::Bin> bins = profile.Bins();
    if (bins.size() < MinPoints)
        return {};
    const auto all = static_cast<double>(bins.size());
    const auto first = static_cast<std::size_t>(std::ceil(StartTrim * all));
    const auto last = bins.size() - static_cast<std::size_t>(std::ceil(EndTrim * all));
    std::vector<Point> points;
    for (std::size_t i = first; i < last; ++i) {
        const double count = static_cast<double>(bins[i].Count);
        points.push_back({bins[i].SectorSum / count, bins[i].SpeedSum / count, bins[i].FirstSector, bins[i].LastSector});
    }
    const auto n = points.size();
    double top = 0, bottom = points.front().Speed;
    for (const Point& point : points) {
        top = std::max(top, point.Speed);
        bottom = std::min(bottom, point.Speed);
    }
    if (!(top > 0))
        return {};
    if (bottom >= (1 - FlatTolerance) * top)
        return {Strategy::Clv, {}};

    const auto minZone = std::max<std::size_t>(2, static_cast<std::size_t>(std::ceil(MinZoneShare * all)));
    std::vector<Zone> zones = FlatZones(points, top, minZone);
    if (!zones.empty())
        return {Strategy::Zclv, std::move(zones)};

    const auto rmsError = [&](double squared) { return std::sqrt(squared / static_cast<double>(n)) / top; };
    const RadiusFit cav(points, 0, n);
    const double cavError = rmsError(SquaredError(points, 0, n, cav));
    const bool cavRises = cav.Slope > 0 && cav.At(points.back().Sector) >= MinRise * cav.At(points.front().Sector);

    const auto minFlat = std::max<std::size_t>(2, static_cast<std::size_t>(std::ceil(MinFlatShare * all)));
    double pcavError = -1;
    for (std::size_t knee = 3; knee + minFlat <= n; ++knee) {
        const RadiusFit rising(points, 0, knee);
        double flat = 0;
        for (std::size_t i = knee; i < n; ++i)
            flat += points[i].Speed;
        flat /= static_cast<double>(n - knee);
        if (!(rising.Slope > 0) || rising.At(points[knee - 1].Sector) < MinRise * rising.At(points.front().Sector))
            continue;
        double squared = SquaredError(points, 0, knee, rising);
        for (std::size_t i = knee; i < n; ++i)
            squared += (points[i].Speed - flat) * (points[i].Speed - flat);
        const double error = rmsError(squared);
        if (pcavError < 0 || error < pcavError)
            pcavError = error;
    }
    const bool pcavFits = pcavError >= 0 && pcavError <= FitTolerance;
    if (pcavFits && (!cavRises || cavError > FitTolerance || pcavError < BetterFit * cavError))
        return {Strategy::Pcav, {}};
    if (cavRises && cavError <= FitTolerance)
        return {Strategy::Cav, {}};
    return {};
}

} // namespace velantro
