#include "app/comparecommand.h"

#include "app/comparechart.h"
#include "app/windowlook.h"
#include "capture/imagewriter.h"
#include "charts/compareset.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>

#include <charconv>
#include <cmath>
#include <iostream>

namespace velantro {

namespace {

std::optional<double> ParsedNumber(const std::string& text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<ZoomRange> ParseSectorRange(const std::string& text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const std::optional<double> start = ParsedNumber(text.substr(0, colon));
    const std::optional<double> end = ParsedNumber(text.substr(colon + 1));
    if (!start || !end || *start < 0 || *end <= *start)
        return std::nullopt;
    return ZoomRange{*start, *end};
}

int RunCompare(int argc, char** argv, const CompareOptions& options)
{
    // No window is shown and no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QGuiApplication::setFont(WindowFont());

    CompareSet set;
    for (const std::string& path : options.GraphFiles)
        set.Add(path);
    const qreal ratio = application.devicePixelRatio();
    const QSize size = CompareChart::PictureSize;
    set.Rebuild(options.Verify ? CompareSeries::VerifySpeed : CompareSeries::WriteSpeed, CompareAxis::Sectors,
                options.Range.value_or(ZoomRange{}), CompareChart::PlotArea(size, ratio).width());

    for (const CompareFile& file : set.Files()) {
        if (!file.Drawn())
            std::cerr << "velantro: " << file.Path << ": " << file.Error << '\n';
    }
    if (set.DrawnCount() == 0) {
        std::cerr << "velantro: no graph file could be read; nothing written\n";
        return 1;
    }

    ImageWriter writer;
    QString reason = ImageWriter::GdiErrorString(0);
    QObject::connect(&writer, &ImageWriter::Error, [&](int, const QString& text) { reason = text; });
    if (writer.PictureBoxToFile(CompareChart::Draw(set, size, ratio), options.Output) == 0) {
        std::cerr << "velantro: cannot write " << QDir::toNativeSeparators(options.Output).toStdString() << ": "
                  << reason.toStdString() << '\n';
        return 1;
    }
    return set.DrawnCount() == set.Files().size() ? 0 : 1;
}

} // namespace velantro
