#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velantro {

// The leading number of a field: blanks skipped, the longest decimal number
// taken ("." always the decimal point), 0 when there is none. Throws
// PassFailure only for a number beyond the range of a double.
double LeadingNumber(std::string_view text);

// Half to even; throws PassFailure outside the 16-bit signed range.
std::int16_t RoundToInt16(double value);

// A number printed without a format: a blank or "-", then the shortest form
// with at most 15 significant digits ("1E+16" where the digits do not fit).
std::string NumberText(double value);

// The same for a single-precision number: at most 7 significant digits.
std::string SingleText(float value);

// " 12 Mins  34 Secs" for 754 seconds.
std::string BurnTimeText(double seconds);

// The rest of a line from 1-based character position, "" when shorter.
std::string_view ValueFrom(std::string_view line, std::size_t position);

std::string CodePointToUtf8(char32_t code);

// The files are 8-bit Windows text.
std::string Cp1252ToUtf8(std::string_view bytes);

// The exact single-precision value of a double, or PassFailure when it does not fit one.
float ToSingle(double value);

} // namespace velantro
