#pragma once

#include <string>

namespace velantro {

struct BurnFields;
class Surface;

constexpr double InfoRowTwips = 285;

// The captions column, printed once at start-up.
void PrintInfoCaptions(const BurnFields& fields, Surface& picture4);

// One line centred in a panel, from X = 0 when it is wider than the panel.
void PrintCentred(Surface& panel, const std::string& text, double y);

} // namespace velantro
