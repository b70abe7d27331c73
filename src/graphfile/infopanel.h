#pragma once

#include "vocabulary/infocaptions.h"

#include <array>
#include <functional>
#include <string>

namespace velantro {

struct GraphHeader;
class Surface;

constexpr double InfoRowTwips = 285;

// The seventeen information values of a header, in caption order, as the
// panel shows them (UTF-8, dates in the locale's general form).
std::array<std::string, InfoValueCount> InfoValues(const GraphHeader& header, const DateFormatter& generalDate);

// The captions column, printed once at start-up.
void PrintInfoCaptions(Surface& panel);

// One line centred in a panel, from X = 0 when it is wider than the panel.
void PrintCentred(Surface& panel, const std::string& text, double y);

} // namespace velantro
