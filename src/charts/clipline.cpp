#include "charts/clipline.h"

namespace velantro {

bool ClipLine(double& x1, double& y1, double& x2, double& y2, double left, double top, double right,
              double bottom)
{
    enum { Left = 1, Right = 2, Top = 4, Bottom = 8 };
    const auto code = [&](double x, double y) {
        return (x < left ? Left : x > right ? Right : 0) | (y < top ? Top : y > bottom ? Bottom : 0);
    };
    int c1 = code(x1, y1);
    int c2 = code(x2, y2);
    for (int round = 0; round < 8; ++round) {
        if ((c1 | c2) == 0)
            return true;
        if ((c1 & c2) != 0)
            return false;
        const int out = c1 != 0 ? c1 : c2;
        double x = 0;
        double y = 0;
        if (out & (Left | Right)) {
            x = (out & Left) ? left : right;
            y = y1 + (y2 - y1) * ((x - x1) / (x2 - x1));
        } else {
            y = (out & Top) ? top : bottom;
            x = x1 + (x2 - x1) * ((y - y1) / (y2 - y1));
        }
        if (out == c1) {
            x1 = x;
            y1 = y;
            c1 = code(x1, y1);
        } else {
            x2 = x;
            y2 = y;
            c2 = code(x2, y2);
        }
    }
    return (c1 | c2) == 0;
}

} // namespace velantro
