#include "windows/comparechart.h"

#include "platform/generaldate.h"
#include "windows/windowlook.h"
#include "compare/compareset.h"
#include "compare/comparelayout.h"
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
QColor ColourOf(Colour colour)
{
    return QColor::fromRgb(static_cast<QRgb>(0xff000000u | colour));
}

const QColor Background = ColourOf(CompareBackground);
const QColor Grid = ColourOf(CompareGrid);
const QColor Frame = ColourOf(CompareFrame);
const QColor Ink = ColourOf(CompareInk);

QFont ChartFont(int pixels, bool bold = false)
{
    QFont font = WindowFont();
    font.setFamily(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

std::string FileName(const CompareFile& file)
{
    return QFileInfo(QFile::decodeName(file.Path.c_str())).fileName().toStdString();
}

QString EntryText(const CompareSet& set, const CompareFile& file)
{
    return QString::fromStdString(CompareEntryText(set, file, FileName(file), GeneralDate(file.Date)));
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

char32_t DecimalSeparator()
{
    const QList<uint> separator = QLocale().decimalPoint().toUcs4();
    return separator.isEmpty() ? U'.' : static_cast<char32_t>(separator.first());
}

void DrawGrid(QPainter& painter, const CompareSet& set, const QRect& plot, qreal ratio, int penWidth)
{
    const QFont font = ChartFont(11);
    const QFontMetrics metrics(font);
    const CompareAxes axes = CompareAxesOf(set, plot.width(), plot.height(), ratio);
    const auto logical = [ratio](double device) { return device / ratio; };

    painter.setPen(QPen(Grid, penWidth));
    std::vector<std::pair<int, QString>> xCaptions;
    for (const CompareTick& tick : axes.X) {
        const int x = plot.left() + tick.Pixel;
        painter.drawLine(x, plot.top(), x, plot.bottom());
        xCaptions.emplace_back(x, QString::fromStdString(tick.Text));
    }
    std::vector<std::pair<int, QString>> yCaptions;
    for (const CompareTick& tick : axes.Y) {
        const int y = plot.top() + tick.Pixel;
        painter.drawLine(plot.left(), y, plot.right(), y);
        yCaptions.emplace_back(y, QString::fromStdString(tick.Text));
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
    const QString xTitle = QString::fromStdString(axes.XTitle);
    painter.drawText(QRectF(plotLeft, plotBottom + 4 + metrics.height(), logical(plot.width()), metrics.height() + 4),
                     Qt::AlignHCenter | Qt::AlignTop, xTitle);
    painter.translate(14, logical(plot.center().y()));
    painter.rotate(-90);
    const QString yTitle = QString::fromStdString(axes.YTitle);
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
    return ColourOf(CompareColour(slot));
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
        painter.drawText(QPointF(plot.left() / ratio, TopMargin - 12), QString::fromStdString(CompareAxesOf(set, plot.width(), plot.height(), ratio).Title));
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
    return QString::fromStdString(CompareLegendText(file, FileName(file), GeneralDate(file.Date)));
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
        .arg(QString::fromStdString(SizeText(sector * CompareSectorSize(set), CompareSectorUnit(set))));
}

} // namespace CompareChart

} // namespace velantro
