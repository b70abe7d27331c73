#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

namespace velantro {

class CompareSet;
class CompareView;

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

// The least height of a picture of the given width, in logical pixels, in
// which the plot keeps a useful height above the legend.
int LeastHeight(const CompareSet& set, int width);

// The whole picture, at the device pixel ratio (sharp on HiDPI screens): the
// view's grid and lines in its plot, with the captions, legend and title
// around them. Sizes the view's plot to the picture's.
QImage Draw(CompareView& view, QSize size, qreal ratio);

} // namespace CompareChart

} // namespace velantro
