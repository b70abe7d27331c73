#include "windows/comparechart.h"

#include "platform/generaldate.h"
#include "windows/windowlook.h"
#include "compare/compareset.h"
#include "charts/readout.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>

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
constexpr int LegendRows = 4;
constexpr int LegendRowHeight = 18;
constexpr int BottomPadding = 8;
constexpr int MinimumPlot = 16;
constexpr int MostXCaptions = 10;
constexpr int MostYCaptions = 13;

// Okabe-Ito, in an order that keeps the pale yellow for last on white.
constexpr QRgb Palette[MaxCompareFiles] = {
    qRgb(230, 159, 0), qRgb(86, 180, 233), qRgb(0, 158, 115), qRgb(213, 94, 0),
    qRgb(0, 114, 178), qRgb(204, 121, 167), qRgb(0, 0, 0),    qRgb(240, 228, 66),
};

const QColor Background = Qt::white;
const QColor Grid(224, 224, 224);
const QColor Frame(128, 128, 128);
const QColor Ink(32, 32, 32);

constexpr double MiB = 1048576.0;
constexpr double GiB = 1073741824.0;

// Captions of the sector axis in MB or GB, as the main window writes them.
struct AxisUnit {
    double PerUnit; // axis units (sectors or percent) per caption unit
    QString Name;
};

AxisUnit UnitOf(const CompareSet& set)
{
    if (set.Axis() == CompareAxis::ShareOfData)
        return {1, QStringLiteral("%")};
    const double sectorSize = set.AxisSectorSize() > 0 ? set.AxisSectorSize() : 2048;
    const bool gigabytes = set.Limits().Whole * sectorSize >= GiB;
    return {(gigabytes ? GiB : MiB) / sectorSize, gigabytes ? QStringLiteral("GB") : QStringLiteral("MB")};
}

QRect LogicalPlot(QSize size)
{
    const int below = AxisBand + LegendRows * LegendRowHeight + BottomPadding;
    return QRect(LeftMargin, TopMargin, std::max(MinimumPlot, size.width() - LeftMargin - RightMargin),
                 std::max(MinimumPlot, size.height() - TopMargin - below));
}

QFont ChartFont(int pixels, bool bold = false)
{
    QFont font = WindowFont();
    font.setFamily(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
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
    const double xStep = CaptionStep({view.Left / unit.PerUnit, view.Right / unit.PerUnit}, MostXCaptions);
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
    const QFont font = ChartFont(11);
    const QFontMetrics metrics(font);
    painter.save();
    painter.scale(ratio, ratio);
    painter.setFont(font);
    const double left = plot.left() / ratio;
    // One column while it holds them all, so that the texts need no cutting.
    const double columnWidth = plot.width() / ratio / (set.DrawnCount() > LegendRows ? 2 : 1);
    const double top = plot.bottom() / ratio + AxisBand;
    int entry = 0;
    for (std::size_t i = 0; i < set.Files().size(); ++i) {
        const CompareFile& file = set.Files()[i];
        if (!file.Drawn())
            continue;
        const double x = left + (entry / LegendRows) * columnWidth;
        const double y = top + (entry % LegendRows) * LegendRowHeight;
        painter.fillRect(QRectF(x, y + 4, 18, 8), FileColour(i));
        QString text = LegendText(file);
        if (file.Line.Empty())
            text += set.Series() == CompareSeries::VerifySpeed ? QStringLiteral(" (no verify samples)")
                                                               : QStringLiteral(" (no write samples)");
        painter.setPen(Ink);
        painter.drawText(QPointF(x + 24, y + metrics.ascent()),
                         metrics.elidedText(text, Qt::ElideMiddle, static_cast<int>(columnWidth - 32)));
        ++entry;
    }
    painter.restore();
}

} // namespace

QColor FileColour(std::size_t index)
{
    return QColor::fromRgb(Palette[index % MaxCompareFiles]);
}

QRect PlotArea(QSize size, qreal ratio)
{
    const QRect logical = LogicalPlot(size);
    const auto device = [ratio](int v) { return static_cast<int>(std::lround(v * ratio)); };
    return QRect(device(logical.x()), device(logical.y()), device(logical.width()), device(logical.height()));
}

QImage Draw(const CompareSet& set, QSize size, qreal ratio)
{
    const QSize pixels(std::max(1, static_cast<int>(std::lround(size.width() * ratio))),
                       std::max(1, static_cast<int>(std::lround(size.height() * ratio))));
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Background);
    const QRect plot = PlotArea(size, ratio);
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
                DrawLine(painter, plot, file.Line.Segments(rows), FileColour(i), penWidth);
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
    return QStringLiteral("Sector %1").arg(static_cast<qlonglong>(std::floor(x)));
}

} // namespace CompareChart

} // namespace velantro
