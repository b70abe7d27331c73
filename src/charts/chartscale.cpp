#include "charts/chartscale.h"

#include "charts/fitscale.h"
#include "charts/sizeunits.h"
#include "vocabulary/passfailure.h"
#include "vocabulary/textrules.h"

#include <cmath>
#include <string_view>

namespace velantro {

namespace {

struct MediaRow {
    std::string_view Code;
    std::int16_t ChartHeight;
    std::int16_t RpmBase;
    std::int16_t RpmSpan;
    int SpeedStep;
    const char* Unit;
    double ThresholdBytes; // < 0: one width whatever the capacity
    double LowWidthBytes;
    int LowSizeStep;
    double HighWidthBytes;
    int HighSizeStep;
};

// Each width is 4.5 size-label steps: 45 grid divisions, a size label every ten.
constexpr MediaRow MediaTable[] = {
    {"CD", 5000, 200, 300, 4, "MB", -1, 900 * MiB, 200, 0, 0},
    {"DV", 2500, 600, 800, 2, "GB", 4.8 * GiB, 4.5 * GiB, 1, 9 * GiB, 2},
    {"HD", 2500, 1000, 1500, 2, "GB", 19 * GiB, 18 * GiB, 4, 36 * GiB, 8},
    {"BD", 2500, 850, 1250, 2, "GB", 28 * GiB, 27 * GiB, 6, 54 * GiB, 12},
};

// Size captions stand a tenth of the 45 grid divisions apart.
constexpr double SizeCaptionSteps = 4.5;

const MediaRow* FindRow(const std::string& mediaType)
{
    const std::string_view code = std::string_view(mediaType).substr(0, 2);
    for (const MediaRow& row : MediaTable) {
        if (row.Code == code)
            return &row;
    }
    return nullptr;
}

double DivideBySectorSize(double bytes, std::int16_t sectorSize)
{
    if (sectorSize == 0)
        throw PassFailure("sector size of 0");
    return bytes / sectorSize;
}

// A zoomed view's captions, one on each major line; there are five labels.
constexpr int MostZoomCaptions = 5;

// The media row's own scale, before any file widens it.
ChartScale RowScale(const MediaRow& row, const MediaFacts& media)
{
    ChartScale scale;
    scale.SpeedHeight = row.ChartHeight;
    scale.RpmBase = row.RpmBase;
    scale.RpmSpan = row.RpmSpan;
    scale.Unit = row.Unit;
    int sizeStep = 0;
    if (row.ThresholdBytes < 0) {
        scale.Width = DivideBySectorSize(row.LowWidthBytes, media.SectorSize);
        sizeStep = row.LowSizeStep;
    } else {
        const double bytes = media.SectorSize * media.Capacity;
        if (!std::isfinite(bytes))
            throw PassFailure("capacity out of range");
        const bool low = row.ThresholdBytes >= bytes;
        scale.Width = DivideBySectorSize(low ? row.LowWidthBytes : row.HighWidthBytes, media.SectorSize);
        sizeStep = low ? row.LowSizeStep : row.HighSizeStep;
    }
    for (int i = 1; i <= 12; ++i) {
        scale.SpeedCaptions[static_cast<std::size_t>(i)] = NumberText(row.SpeedStep * i) + "x";
        scale.RpmCaptions[static_cast<std::size_t>(i)] = std::to_string(3 * i) + "K";
    }
    scale.SizeCaptions.push_back({0, "0"});
    for (int i = 1; i <= 4; ++i)
        scale.SizeCaptions.push_back({i / SizeCaptionSteps, NumberText(sizeStep * i) + row.Unit});
    return scale;
}

} // namespace

ZoomGrid GridFor(const ChartScale& scale, std::int16_t sectorSize, const ZoomRange& view)
{
    ZoomGrid grid;
    const bool megabytes = scale.Unit == "MB";
    const double unitSectors = sectorSize > 0 ? (megabytes ? MiB : GiB) / sectorSize : 0;
    if (unitSectors <= 0)
        return grid;
    const ZoomRange inUnits{view.Left / unitSectors, view.Right / unitSectors};
    const double step = CaptionStep(inUnits, MostZoomCaptions);
    const double minor = step / 10;
    if (!(minor > 0))
        return grid;
    const double first = std::ceil(inUnits.Left / minor);
    const double last = std::floor(inUnits.Right / minor);
    // Guards against ranges that lost their digits; a sane one has about 50 lines.
    if (!(last - first < 1000))
        return grid;
    for (double k = first; k <= last; ++k) {
        const double x = k * minor * unitSectors;
        grid.Minor.push_back(static_cast<float>(x));
        if (std::fmod(k, 10) != 0)
            continue;
        grid.Major.push_back(static_cast<float>(x));
        grid.Captions.push_back({(x - view.Left) / view.Width(),
                                 CaptionNumber(k / 10 * step) + (megabytes ? "MB" : "GB")});
    }
    return grid;
}

ChartScale ScaleFor(const MediaFacts& media, const std::optional<SamplePeaks>& fitted)
{
    const MediaRow* row = FindRow(media.MediaType);
    // A type of no row is drawn on the empty charts' scale, as wide as it needs.
    ChartScale scale = row ? RowScale(*row, media) : RowScale(*FindRow(StartupMedia.MediaType), StartupMedia);
    if (!row)
        scale.Unit = "GB";
    if (fitted) {
        // From 0 to just above the peaks, captioned at the media's places.
        const FitScale speed = FitSpeedScale(fitted->Speed);
        const FitScale rpm = FitRpmScale(fitted->Rpm);
        scale.SpeedHeight = static_cast<std::int16_t>(std::lround(speed.Top * 100));
        scale.RpmTop = rpm.Top;
        for (int i = 1; i <= 12; ++i) {
            scale.SpeedCaptions[static_cast<std::size_t>(i)] = CaptionNumber(speed.Step * i) + "x";
            scale.RpmCaptions[static_cast<std::size_t>(i)] = TrimBlanks(CaptionNumber(rpm.Step * i / 1000)) + "K";
        }
    }
    const bool widened = scale.Width < media.Capacity;
    if (widened)
        scale.Width = media.Capacity;
    if (scale.Width == 0)
        throw PassFailure("chart of no width");
    if (widened || !row) {
        // Captions that describe the width drawn, each at its place.
        const ZoomRange whole{0, scale.Width};
        scale.SizeCaptions = GridFor(scale, media.SectorSize, whole).Captions;
        scale.SizeCaptionsAtLayout = false;
    }
    return scale;
}

} // namespace velantro
