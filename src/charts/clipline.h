#pragma once

namespace velantro {

// Cohen-Sutherland: cuts a line to the rectangle, false when none of it is
// inside. Each cut is computed from the slope, which keeps its digits even
// when the ends lie at 1e30, so far-away values neither overflow a later
// conversion to int nor change the visible slope.
bool ClipLine(double& x1, double& y1, double& x2, double& y2, double left, double top, double right,
              double bottom);

} // namespace velantro
