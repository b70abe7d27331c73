#pragma once

#include "charts/columnsummary.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

namespace velantro {

class CompareSet;
struct CompareFile;

// The picture of a comparison, drawn the same for the window and for
// --compare: title, axes with captions, one line per file and the legend.
namespace CompareChart {

// The size of the command's picture at a scale of 1.
inline constexpr QSize PictureSize(960, 600);

// The colour of a file's slot (CompareFile::Slot).
QColor FileColour(int slot);

// The plot inside a picture of the given size in logical pixels, in device
// pixels at the ratio: how many pixel columns the lines are summed up for.
// The legend under it takes as many lines as its entries need.
QRect PlotArea(const CompareSet& set, QSize size, qreal ratio);

// The whole picture, at the device pixel ratio (sharp on HiDPI screens).
QImage Draw(const CompareSet& set, QSize size, qreal ratio);

// The line in the plot, in the file's colour, a pen one screen pixel wide.
void DrawLine(QPainter& painter, const QRect& plot, const std::vector<PixelSegment>& segments, QColor colour,
              int penWidth);

// The legend entry: the file's name, drive, media ID, selected speed and date.
QString LegendText(const CompareFile& file);

// The value of a line as the readout and the captions write it.
QString ValueText(const CompareSet& set, double value);

// The place on the axis: the sector and its size in the captions' unit, or the share.
QString PlaceText(const CompareSet& set, double x);

} // namespace CompareChart

} // namespace velantro
