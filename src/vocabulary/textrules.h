#pragma once

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velantro {

// Most fields are short plain decimals ("7.96", "1846052"), and every sample
// line holds four: the end of such a number at begin, with its value, and
// nullptr for anything else. With at most 15 digits the digits and the power
// of ten are exact doubles, so one division rounds correctly, and a whole
// number needs none.
inline const char* ReadPlainDecimal(const char* begin, const char* end, double& value)
{
    static constexpr double powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* p = begin;
    std::uint64_t digits = 0;
    // Unsigned, so that one comparison tells a digit.
    const auto readDigits = [&] {
        for (; p != end; ++p) {
            const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
            if (digit > 9)
                break;
            digits = digits * 10 + digit;
        }
    };
    readDigits();
    const auto whole = p - begin;
    std::ptrdiff_t fraction = 0;
    if (p != end && *p == '.') {
        const char* point = ++p;
        readDigits();
        fraction = p - point;
    }
    if (whole == 0 || whole + fraction > 15)
        return nullptr;
    if (p != end && (*p == ' ' || *p == '\t' || *p == 'e' || *p == 'E'))
        return nullptr;
    value = fraction == 0 ? static_cast<double>(digits) : static_cast<double>(digits) / powers[fraction];
    return p;
}

double GeneralLeadingNumber(std::string_view text);

// The leading number of a field: blanks skipped, the longest decimal number
// taken ("." always the decimal point), 0 when there is none. Throws
// PassFailure only for a number beyond the range of a double.
inline double LeadingNumber(std::string_view text)
{
    double value = 0;
    return ReadPlainDecimal(text.data(), text.data() + text.size(), value) ? value : GeneralLeadingNumber(text);
}

// Half to even; throws PassFailure outside the 16-bit signed range.
std::int16_t RoundToInt16(double value);

// A number printed without a format: a blank or "-", then the shortest form
// with at most 15 significant digits ("1E+16" where the digits do not fit).
std::string NumberText(double value);

// The same for a single-precision number: at most 7 significant digits.
std::string SingleText(float value);

// " 12 Mins  34 Secs" for 754 seconds.
std::string BurnTimeText(double seconds);

// Without the blanks at either end, as the panels' values are listed.
std::string TrimBlanks(const std::string& text);

// The rest of a line from 1-based character position, "" when shorter.
std::string_view ValueFrom(std::string_view line, std::size_t position);

std::string CodePointToUtf8(char32_t code);

// The files are 8-bit Windows text.
std::string Cp1252ToUtf8(std::string_view bytes);

[[noreturn]] void FailOutOfSingleRange();

// The exact single-precision value of a double, or PassFailure when it does not fit one.
inline float ToSingle(double value)
{
    // Also false for infinities and NaN.
    if (!(std::fabs(value) <= static_cast<double>(FLT_MAX)))
        FailOutOfSingleRange();
    return static_cast<float>(value);
}

} // namespace velantro
