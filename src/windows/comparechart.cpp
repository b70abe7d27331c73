#include "windows/comparechart.h"

#include "platform/generaldate.h"
#include "windows/windowlook.h"
#include "compare/compareset.h"
#include "charts/readout.h"
#include "charts/sizeunits.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace velantro {

namespace CompareChart {

namespace {

// Logical pixels.
constexpr int LeftMargin = 58;
constexpr int RightMargin = 22;
constexpr int TopMargin = 34;
constexpr int AxisBand = 42;
constexpr int LegendGap = 3;
constexpr int SwatchWidth = 24;
constexpr int BottomPadding = 8;
constexpr int MinimumPlot = 16;
constexpr int MostXCaptions = 10;
constexpr int MostYCaptions = 13;

// Okabe-Ito without its yellow, the pale ones darkened to stand out from the
// white background at 3:1 or more, and a dark grey.
constexpr QRgb Palette[MaxCompareFiles] = {
    qRgb(0, 114, 178),  qRgb(213, 94, 0),  qRgb(0, 158, 115),  qRgb(195, 110, 160),
    qRgb(0, 0, 0),      qRgb(190, 130, 0), qRgb(60, 150, 200), qRgb(100, 100, 100),
};

const QColor Background = Qt::white;
const QColor Grid(224, 224, 224);
const QColor Frame(128, 128, 128);
const QColor Ink(32, 32, 32);

// Captions of the sector axis in MB or GB, as the main window writes them.
struct AxisUnit {
    double PerUnit; // axis units (sectors or percent) per caption unit
    QString Name;
};

double AxisSectorSize(const CompareSet& set)
{
    return set.AxisSectorSize() > 0 ? set.AxisSectorSize() : 2048;
}

// The binary units of the main charts' captions: a CD's axis in MB.
std::string_view SectorUnit(const CompareSet& set)
{
    return SizeUnitFor({}, set.Limits().Whole * AxisSectorSize(set));
}

AxisUnit UnitOf(const CompareSet& set)
{
    if (set.Axis() == CompareAxis::ShareOfData)
        return {1, QStringLiteral("%")};
    const bool gigabytes = SectorUnit(set) == "GB";
    return {(gigabytes ? GiB : MiB) / AxisSectorSize(set), gigabytes ? QStringLiteral("GB") : QStringLiteral("MB")};
}

QFont ChartFont(int pixels, bool bold = false)
{
    QFont font = WindowFont();
    font.setFamily(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QString EntryText(const CompareSet& set, const CompareFile& file)
{
    QString text = LegendText(file);
    if (file.Line.Empty())
        text += set.Series() == CompareSeries::VerifySpeed ? QStringLiteral(" (no verify samples)")
                                                           : QStringLiteral(" (no write samples)");
    return text;
}

QTextOption Wrapped()
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

// Each legend entry whole, wrapped to the plot's width, in logical pixels
// from the top of the legend.
struct LegendEntry {
    std::size_t File;
    QRectF Text;
};

std::vector<LegendEntry> LegendLayout(const CompareSet& set, double width)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    painter.setFont(ChartFont(11));
    std::vector<LegendEntry> entries;
    double top = 0;
    for (std::size_t i = 0; i < set.Files().size(); ++i) {
        const CompareFile& file = set.Files()[i];
        if (!file.Drawn())
            continue;
        const QRectF box(SwatchWidth, top, std::max(1.0, width - SwatchWidth), 1e6);
        const QRectF text = painter.boundingRect(box, EntryText(set, file), Wrapped());
        entries.push_back({i, QRectF(box.topLeft(), QSizeF(box.width(), text.height()))});
        top += text.height() + LegendGap;
    }
    return entries;
}

double LegendHeight(const std::vector<LegendEntry>& entries)
{
    return entries.empty() ? 0 : entries.back().Text.bottom();
}

QRect LogicalPlot(const CompareSet& set, QSize size)
{
    const int width = std::max(MinimumPlot, size.width() - LeftMargin - RightMargin);
    const int legend = static_cast<int>(std::ceil(LegendHeight(LegendLayout(set, width))));
    const int below = AxisBand + legend + BottomPadding;
    return QRect(LeftMargin, TopMargin, width, std::max(MinimumPlot, size.height() - TopMargin - below));
}

// A caption number: no noise digits, "." as the main window's captions have.
QString Number(double value)
{
    return QString::number(value, 'g', 12);
}

QString SeriesTitle(CompareSeries series)
{
    switch (series) {
    case CompareSeries::WriteSpeed:
        return QStringLiteral("Write Speed");
    case CompareSeries::VerifySpeed:
        return QStringLiteral("Verify Speed");
    case CompareSeries::WriteBuffer:
        break;
    }
    return QStringLiteral("Write Buffer");
}

char32_t DecimalSeparator()
{
    const QList<uint> separator = QLocale().decimalPoint().toUcs4();
    return separator.isEmpty() ? U'.' : static_cast<char32_t>(separator.first());
}

void DrawGrid(QPainter& painter, const CompareSet& set, const QRect& plot, qreal ratio, int penWidth)
{
    const QFont font = ChartFont(11);
    const QFontMetrics metrics(font);
    const AxisUnit unit = UnitOf(set);
    const ZoomRange& view = set.View();
    const ColumnSummary columns(view.Left, view.Right, plot.width());
    const RowScale rows{set.Top(), plot.height()};
    const auto logical = [ratio](double device) { return device / ratio; };
    const QString suffix = set.Series() == CompareSeries::WriteBuffer ? QStringLiteral("%") : QStringLiteral("x");

    painter.setPen(QPen(Grid, penWidth));
    // Room for a caption of "4.5GB" and a gap on a narrow plot.
    const int mostX = std::clamp(static_cast<int>(logical(plot.width()) / 64), 2, MostXCaptions);
    const double xStep = CaptionStep({view.Left / unit.PerUnit, view.Right / unit.PerUnit}, mostX);
    std::vector<std::pair<int, QString>> xCaptions;
    for (double k = std::ceil(view.Left / unit.PerUnit / xStep); xStep > 0 && k * xStep <= view.Right / unit.PerUnit;
         ++k) {
        const int x = plot.left() + static_cast<int>(PixelPlace(columns.PixelX(k * xStep * unit.PerUnit)));
        painter.drawLine(x, plot.top(), x, plot.bottom());
        const double value = k * xStep;
        xCaptions.emplace_back(x, value == 0 && set.Axis() == CompareAxis::Sectors ? QStringLiteral("0")
                                                                                    : Number(value) + unit.Name);
    }
    const double yStep = CaptionStep({0, set.Top()}, MostYCaptions);
    std::vector<std::pair<int, QString>> yCaptions;
    for (double k = 0; yStep > 0 && k * yStep <= set.Top(); ++k) {
        const int y = plot.top() + static_cast<int>(PixelPlace(rows.Row(k * yStep)));
        painter.drawLine(plot.left(), y, plot.right(), y);
        yCaptions.emplace_back(y, Number(k * yStep) + suffix);
    }

    painter.save();
    painter.scale(ratio, ratio);
    painter.setFont(font);
    painter.setPen(Ink);
    const double plotLeft = logical(plot.left());
    const double plotBottom = logical(plot.bottom());
    for (const auto& [x, text] : xCaptions) {
        const double width = metrics.horizontalAdvance(text);
        painter.drawText(QPointF(logical(x) - width / 2, plotBottom + 4 + metrics.ascent()), text);
    }
    for (const auto& [y, text] : yCaptions) {
        const double width = metrics.horizontalAdvance(text);
        painter.drawText(QPointF(plotLeft - 6 - width, logical(y) + metrics.ascent() / 2.0 - 1), text);
    }
    const QString xTitle = set.Axis() == CompareAxis::Sectors
                               ? QStringLiteral("Sectors on the disc, as data size (%1)").arg(unit.Name)
                               : QStringLiteral("Share of each file's data (%)");
    painter.drawText(QRectF(plotLeft, plotBottom + 4 + metrics.height(), logical(plot.width()), metrics.height() + 4),
                     Qt::AlignHCenter | Qt::AlignTop, xTitle);
    painter.translate(14, logical(plot.center().y()));
    painter.rotate(-90);
    const QString yTitle =
        set.Series() == CompareSeries::WriteBuffer ? QStringLiteral("Buffer (%)") : QStringLiteral("Speed (x)");
    painter.drawText(QPointF(-metrics.horizontalAdvance(yTitle) / 2.0, metrics.ascent() / 2.0), yTitle);
    painter.restore();
}

void DrawLegend(QPainter& painter, const CompareSet& set, const QRect& plot, qreal ratio)
{
    painter.save();
    painter.scale(ratio, ratio);
    painter.setFont(ChartFont(11));
    const QFontMetrics metrics(painter.font());
    const QPointF origin(plot.left() / ratio, plot.bottom() / ratio + AxisBand);
    for (const LegendEntry& entry : LegendLayout(set, plot.width() / ratio)) {
        const CompareFile& file = set.Files()[entry.File];
        const QRectF text = entry.Text.translated(origin);
        painter.fillRect(QRectF(origin.x(), text.top() + metrics.ascent() / 2.0 - 3, 18, 8), FileColour(file.Slot));
        painter.setPen(Ink);
        painter.drawText(text, EntryText(set, file), Wrapped());
    }
    painter.restore();
}

} // namespace

QColor FileColour(int slot)
{
    return QColor::fromRgb(Palette[static_cast<std::size_t>(std::clamp(slot, 0, MaxCompareFiles - 1))]);
}

QRect PlotArea(const CompareSet& set, QSize size, qreal ratio)
{
    const QRect logical = LogicalPlot(set, size);
    const auto device = [ratio](int v) { return static_cast<int>(std::lround(v * ratio)); };
    return QRect(device(logical.x()), device(logical.y()), device(logical.width()), device(logical.height()));
}

QImage Draw(const CompareSet& set, QSize size, qreal ratio)
{
    const QSize pixels(std::max(1, static_cast<int>(std::lround(size.width() * ratio))),
                       std::max(1, static_cast<int>(std::lround(size.height() * ratio))));
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Background);
    const QRect plot = PlotArea(set, size, ratio);
    // One screen pixel wide at any scale factor.
    const int penWidth = std::max(1, static_cast<int>(std::lround(ratio)));
    {
        // Lines in device pixels, exact colours; only the texts are scaled.
        QPainter painter(&image);
        DrawGrid(painter, set, plot, ratio, penWidth);
        const RowScale rows{set.Top(), plot.height()};
        for (std::size_t i = 0; i < set.Files().size(); ++i) {
            const CompareFile& file = set.Files()[i];
            if (file.Drawn())
                DrawLine(painter, plot, file.Line.Segments(rows), FileColour(file.Slot), penWidth);
        }
        painter.setPen(QPen(Frame, penWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(plot.adjusted(-penWidth, -penWidth, 0, 0));
        DrawLegend(painter, set, plot, ratio);

        painter.scale(ratio, ratio);
        painter.setPen(Ink);
        painter.setFont(ChartFont(13, true));
        painter.drawText(QPointF(plot.left() / ratio, TopMargin - 12), SeriesTitle(set.Series()));
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

void DrawLine(QPainter& painter, const QRect& plot, const std::vector<PixelSegment>& segments, QColor colour,
              int penWidth)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(plot);
    painter.translate(plot.topLeft());
    painter.setPen(QPen(colour, penWidth, Qt::SolidLine, Qt::SquareCap));
    for (PixelSegment segment : segments) {
        if (!ClipSegment(segment, plot.width(), plot.height()))
            continue;
        painter.drawLine(QPoint(static_cast<int>(std::floor(segment.X1)), static_cast<int>(std::floor(segment.Y1))),
                         QPoint(static_cast<int>(std::floor(segment.X2)), static_cast<int>(std::floor(segment.Y2))));
    }
    painter.restore();
}

QString LegendText(const CompareFile& file)
{
    QStringList parts;
    for (const std::string& part : {file.Drive, file.MediaId, file.SpeedSelected, GeneralDate(file.Date)}) {
        const QString text = QString::fromStdString(part).trimmed();
        if (!text.isEmpty())
            parts << text;
    }
    return QFileInfo(QFile::decodeName(file.Path.c_str())).fileName() + QStringLiteral(": ") +
           parts.join(QStringLiteral(", "));
}

QString ValueText(const CompareSet& set, double value)
{
    const QString suffix = set.Series() == CompareSeries::WriteBuffer ? QStringLiteral("%") : QStringLiteral("x");
    return QString::fromStdString(FixedTwo(value, DecimalSeparator())) + suffix;
}

QString PlaceText(const CompareSet& set, double x)
{
    if (set.Axis() == CompareAxis::ShareOfData)
        return QString::fromStdString(FixedTwo(x, DecimalSeparator())) + QStringLiteral("% of the data");
    const double sector = std::floor(x);
    return QStringLiteral("Sector %1 (%2)")
        .arg(static_cast<qlonglong>(sector))
        .arg(QString::fromStdString(SizeText(sector * AxisSectorSize(set), SectorUnit(set))));
}

} // namespace CompareChart

} // namespace velantro
