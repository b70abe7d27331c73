#pragma once

#include <string>

namespace velantro {

// A caption along an axis, centred at Centre: 0 at the axis' start (the
// charts' left edge, a plot's top), 1 at its end.
struct AxisCaption {
    double Centre = 0;
    std::string Text;
    bool operator==(const AxisCaption&) const = default;
};

} // namespace velantro
