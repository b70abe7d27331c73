#include "windows/comparechart.h"

#include "platform/generaldate.h"
#include "windows/windowlook.h"
#include "compare/compareset.h"
#include "compare/comparelayout.h"
#include "compare/compareview.h"

#include <QFontMetrics>
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
// Below this the speed captions pile on each other: a window makes room for
// it, scrolling its legend if need be.
constexpr int UsefulPlot = 120;
QColor ColourOf(Colour colour)
{
    return QColor::fromRgb(static_cast<QRgb>(0xff000000u | colour));
}

const QColor Background = ColourOf(CompareBackground);
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

std::vector<CompareLegendEntry> LegendEntries(const CompareSet& set)
{
    // Only the texts matter here, and those the set gives.
    std::vector<CompareLegendEntry> entries;
    for (std::size_t i = 0; i < set.Files().size(); ++i) {
        const CompareFile& file = set.Files()[i];
        if (file.Drawn())
            entries.push_back({i, CompareColour(file.Slot),
                               CompareEntryText(set, file, CompareFileName(file), GeneralDate(file.Date))});
    }
    return entries;
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
    CompareLegendEntry Entry;
    QRectF Text;
};

std::vector<LegendEntry> LegendLayout(const CompareSet& set, double width)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    painter.setFont(ChartFont(11));
    std::vector<LegendEntry> entries;
    double top = 0;
    for (const CompareLegendEntry& entry : LegendEntries(set)) {
        const QRectF box(SwatchWidth, top, std::max(1.0, width - SwatchWidth), 1e6);
        const QRectF text = painter.boundingRect(box, QString::fromStdString(entry.Text), Wrapped());
        entries.push_back({entry, QRectF(box.topLeft(), QSizeF(box.width(), text.height()))});
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

// The plot as the view draws on it: its user scale is the plot's pixels,
// and the lines are the painter's own, as every picture before had them.
class PlotSurface : public Surface {
public:
    PlotSurface(QPainter& painter, const QRect& plot, int penWidth)
        : painter_(painter), plot_(plot), penWidth_(penWidth)
    {
        painter_.save();
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setClipRect(plot);
        painter_.translate(plot.topLeft());
    }
    ~PlotSurface() override { painter_.restore(); }
    PlotSurface(const PlotSurface&) = delete;
    PlotSurface& operator=(const PlotSurface&) = delete;

    void Clear() override { painter_.fillRect(QRect(QPoint(), plot_.size()), Background); }
    void SetUserScale(float, float, float) override {}
    float UserLeft() const override { return 0; }
    float UserWidth() const override { return static_cast<float>(plot_.width()); }
    float UserHeight() const override { return static_cast<float>(plot_.height()); }
    double Width() const override { return plot_.width(); }
    void Line(float x1, float y1, float x2, float y2, Colour colour) override
    {
        // A wide pen's square caps take the grid a pixel past the plot, under
        // the frame; the files' lines stop at the plot's edge.
        painter_.setClipping(colour != CompareGrid);
        painter_.setPen(QPen(ColourOf(colour), penWidth_, Qt::SolidLine, Qt::SquareCap));
        painter_.drawLine(QPoint(static_cast<int>(x1), static_cast<int>(y1)),
                          QPoint(static_cast<int>(x2), static_cast<int>(y2)));
    }
    double TextWidth(const std::string&) const override { return 0; }
    void Text(double, double, const std::string&, std::optional<Colour>) override {}
    std::optional<Colour> ColourAt(float, float) const override { return std::nullopt; }

private:
    QPainter& painter_;
    QRect plot_;
    int penWidth_;
};

// The captions beside the grid the view draws.
void DrawCaptions(QPainter& painter, const CompareAxes& axes, const QRect& plot, qreal ratio)
{
    const QFont font = ChartFont(11);
    const QFontMetrics metrics(font);
    const auto logical = [ratio](double device) { return device / ratio; };

    std::vector<std::pair<int, QString>> xCaptions;
    for (const CompareTick& tick : axes.X)
        xCaptions.emplace_back(plot.left() + tick.Pixel, QString::fromStdString(tick.Text));
    std::vector<std::pair<int, QString>> yCaptions;
    for (const CompareTick& tick : axes.Y)
        yCaptions.emplace_back(plot.top() + tick.Pixel, QString::fromStdString(tick.Text));

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
        const QRectF text = entry.Text.translated(origin);
        painter.fillRect(QRectF(origin.x(), text.top() + metrics.ascent() / 2.0 - 3, 18, 8), ColourOf(entry.Entry.Ink));
        painter.setPen(Ink);
        painter.drawText(text, QString::fromStdString(entry.Entry.Text), Wrapped());
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

int LeastHeight(const CompareSet& set, int width)
{
    const int plotWidth = std::max(MinimumPlot, width - LeftMargin - RightMargin);
    const int legend = static_cast<int>(std::ceil(LegendHeight(LegendLayout(set, plotWidth))));
    return TopMargin + UsefulPlot + AxisBand + legend + BottomPadding;
}

QImage Draw(CompareView& view, QSize size, qreal ratio)
{
    const QSize pixels(std::max(1, static_cast<int>(std::lround(size.width() * ratio))),
                       std::max(1, static_cast<int>(std::lround(size.height() * ratio))));
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Background);
    const CompareSet& set = view.Set();
    const QRect plot = PlotArea(set, size, ratio);
    // The legend of the lines read may be taller than the one they were read for.
    view.SetPlot(plot.width(), plot.height(), ratio);
    // One screen pixel wide at any scale factor.
    const int penWidth = std::max(1, static_cast<int>(std::lround(ratio)));
    {
        // Lines in device pixels, exact colours; only the texts are scaled.
        QPainter painter(&image);
        {
            PlotSurface lines(painter, plot, penWidth);
            view.Draw(lines);
        }
        const CompareAxes axes = view.Axes();
        DrawCaptions(painter, axes, plot, ratio);
        painter.setPen(QPen(Frame, penWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(plot.adjusted(-penWidth, -penWidth, 0, 0));
        DrawLegend(painter, set, plot, ratio);

        painter.scale(ratio, ratio);
        painter.setPen(Ink);
        painter.setFont(ChartFont(13, true));
        painter.drawText(QPointF(plot.left() / ratio, TopMargin - 12), QString::fromStdString(axes.Title));
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace CompareChart

} // namespace velantro
