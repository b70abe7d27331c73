#pragma once

// Floating-point from_chars and to_chars for every build. The native build
// uses the standard library's; WebAssembly's C++ library has neither, so
// there they come from fast_float (parsing) and fmt (shortest round-trip
// formatting), shaped to give the same texts. VELANTRO_FLOAT_BRIDGE makes
// the bridge available natively too, for comparing the two.

#include <charconv>
#include <system_error>

#if defined(__EMSCRIPTEN__) || defined(VELANTRO_FLOAT_BRIDGE)
#ifndef FMT_HEADER_ONLY
#define FMT_HEADER_ONLY
#endif
#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <string>
#endif

namespace velantro {

#if defined(__EMSCRIPTEN__) || defined(VELANTRO_FLOAT_BRIDGE)

namespace bridge {

inline std::to_chars_result Put(char* first, char* last, const std::string& text)
{
    if (text.size() > static_cast<std::size_t>(last - first))
        return {last, std::errc::value_too_large};
    return {std::copy(text.begin(), text.end(), first), std::errc()};
}

// The shortest digits that read back as value, and where the point goes:
// value = 0.digits * 10^point.
struct Shortest {
    bool Negative = false;
    std::string Digits;
    int Point = 0;
};

template <typename T>
Shortest ShortestDigits(T value)
{
    Shortest result;
    const std::string text = fmt::format("{}", value);
    std::size_t i = 0;
    if (text[i] == '-') {
        result.Negative = true;
        ++i;
    }
    int exponent = 0;
    int beforePoint = 0;
    bool afterPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            afterPoint = true;
        } else if (c == 'e') {
            exponent = std::stoi(text.substr(i + 1));
            break;
        } else {
            result.Digits += c;
            if (!afterPoint)
                ++beforePoint;
        }
    }
    // Leading zeros move the point; trailing ones say nothing.
    const std::size_t first = result.Digits.find_first_not_of('0');
    if (first == std::string::npos)
        return {result.Negative, "0", 1};
    beforePoint -= static_cast<int>(first);
    result.Digits.erase(0, first);
    result.Digits.erase(result.Digits.find_last_not_of('0') + 1);
    result.Point = beforePoint + exponent;
    return result;
}

inline std::string FixedForm(const Shortest& s)
{
    std::string text = s.Negative ? "-" : "";
    const int count = static_cast<int>(s.Digits.size());
    if (s.Point <= 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-s.Point), '0');
        text += s.Digits;
    } else if (s.Point >= count) {
        // Whole numbers are written with every digit the double holds.
        return {};
    } else {
        text += s.Digits.substr(0, static_cast<std::size_t>(s.Point));
        text += '.';
        text += s.Digits.substr(static_cast<std::size_t>(s.Point));
    }
    return text;
}

inline std::string ScientificForm(const Shortest& s)
{
    std::string text = s.Negative ? "-" : "";
    text += s.Digits[0];
    if (s.Digits.size() > 1) {
        text += '.';
        text += s.Digits.substr(1);
    }
    const int exponent = s.Point - 1;
    text += exponent < 0 ? "e-" : "e+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        text += '0';
    text += std::to_string(magnitude);
    return text;
}

// As std::from_chars: out of range where the value overflows or underflows
// to zero; "inf" and "nan" are read as themselves.
inline std::from_chars_result FromChars(const char* first, const char* last, double& value)
{
    double parsed = 0;
    const auto result = fast_float::from_chars(first, last, parsed);
    if (result.ec != std::errc())
        return {result.ptr, result.ec};
    const char* digits = first + (first != result.ptr && *first == '-' ? 1 : 0);
    const bool literal = digits != result.ptr && (*digits == 'i' || *digits == 'I' || *digits == 'n' || *digits == 'N');
    if (std::isinf(parsed) && !literal)
        return {result.ptr, std::errc::result_out_of_range};
    if (parsed == 0) {
        // A zero written as zero is no underflow.
        const bool anyDigit = std::any_of(first, result.ptr, [](char c) { return c >= '1' && c <= '9'; });
        const char* exponent = std::find_if(first, result.ptr, [](char c) { return c == 'e' || c == 'E'; });
        const bool nonzero = std::any_of(first, exponent, [](char c) { return c >= '1' && c <= '9'; });
        if (anyDigit && nonzero)
            return {result.ptr, std::errc::result_out_of_range};
    }
    value = parsed;
    return {result.ptr, std::errc()};
}

template <typename T>
std::to_chars_result ToChars(char* first, char* last, T value, std::chars_format format, int precision)
{
    switch (format) {
    case std::chars_format::fixed:
        return Put(first, last, fmt::format("{:.{}f}", value, precision));
    case std::chars_format::scientific:
        return Put(first, last, fmt::format("{:.{}e}", value, precision));
    default:
        return Put(first, last, fmt::format("{:.{}g}", value, precision));
    }
}

template <typename T>
std::to_chars_result ToChars(char* first, char* last, T value, std::chars_format format)
{
    if (!std::isfinite(value))
        return Put(first, last, fmt::format("{}", value));
    const Shortest shortest = ShortestDigits(value);
    switch (format) {
    case std::chars_format::fixed: {
        const std::string fixed = FixedForm(shortest);
        return Put(first, last, fixed.empty() ? fmt::format("{:.0f}", value) : fixed);
    }
    case std::chars_format::scientific:
        return Put(first, last, ScientificForm(shortest));
    default: {
        // As %g with six digits decides, written with the shortest digits.
        const int exponent = shortest.Point - 1;
        if (exponent < -4 || exponent >= 6)
            return Put(first, last, ScientificForm(shortest));
        const std::string fixed = FixedForm(shortest);
        return Put(first, last, fixed.empty() ? fmt::format("{:.0f}", value) : fixed);
    }
    }
}

} // namespace bridge

#endif

#if defined(__EMSCRIPTEN__)

inline std::from_chars_result FloatFromChars(const char* first, const char* last, double& value)
{
    return bridge::FromChars(first, last, value);
}

template <typename T>
std::to_chars_result FloatToChars(char* first, char* last, T value, std::chars_format format, int precision)
{
    return bridge::ToChars(first, last, value, format, precision);
}

template <typename T>
std::to_chars_result FloatToChars(char* first, char* last, T value, std::chars_format format)
{
    return bridge::ToChars(first, last, value, format);
}

#else

inline std::from_chars_result FloatFromChars(const char* first, const char* last, double& value)
{
    return std::from_chars(first, last, value);
}

template <typename T>
std::to_chars_result FloatToChars(char* first, char* last, T value, std::chars_format format, int precision)
{
    return std::to_chars(first, last, value, format, precision);
}

template <typename T>
std::to_chars_result FloatToChars(char* first, char* last, T value, std::chars_format format)
{
    return std::to_chars(first, last, value, format);
}

#endif

} // namespace velantro
