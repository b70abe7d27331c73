#include "vocabulary/textrules.h"

#include "vocabulary/floatchars.h"
#include "vocabulary/passfailure.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace velantro {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// from_chars reports overflow and underflow alike; the decimal exponent of
// the first significant digit tells them apart.
bool Overflows(std::string_view number)
{
    std::size_t i = 0;
    if (i < number.size() && (number[i] == '+' || number[i] == '-'))
        ++i;
    long long integerDigits = 0;
    long long fractionZeros = 0;
    bool significant = false;
    for (; i < number.size() && IsDigit(number[i]); ++i) {
        if (significant || number[i] != '0') {
            significant = true;
            ++integerDigits;
        }
    }
    if (i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && IsDigit(number[i]); ++i) {
            if (!significant && number[i] == '0')
                ++fractionZeros;
            else
                significant = true;
        }
    }
    if (!significant)
        return false;
    long long exponent = 0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            negative = number[i++] == '-';
        for (; i < number.size() && IsDigit(number[i]); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), 1'000'000'000LL);
        if (negative)
            exponent = -exponent;
    }
    const long long magnitude = integerDigits > 0 ? integerDigits : -fractionZeros;
    return magnitude + exponent > 0;
}

// Length of the decimal number at the start of text, 0 when there is none.
std::size_t NumberLength(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

double ParseNumber(std::string_view number)
{
    // from_chars takes no leading "+".
    std::string_view digits = number;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    double value = 0;
    const auto [ptr, ec] = FloatFromChars(digits.data(), digits.data() + digits.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        if (Overflows(number))
            throw PassFailure("number out of range");
        value = 0;
    }
    return negative ? -value : value;
}

// Upper-case exponent with at least two digits, as the numbers are shown.
std::string ShowExponent(const char* begin, const char* end)
{
    const char* e = std::find(begin, end, 'e');
    std::string text(begin, e);
    if (e == end)
        return text;
    text += 'E';
    text += e[1];
    if (end - (e + 2) < 2)
        text += '0';
    text.append(e + 2, end);
    return text;
}

template <typename T>
std::string GeneralText(T value, int precision)
{
    if (value == 0)
        return " 0";
    std::array<char, 64> buffer{};
    const auto result = FloatToChars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, precision);
    std::string text = ShowExponent(buffer.data(), result.ptr);
    // Between -1 and 1 the form has no zero before the point: " .75", "-.5".
    const std::size_t digits = text.front() == '-' ? 1 : 0;
    if (text.compare(digits, 2, "0.") == 0)
        text.erase(digits, 1);
    return text.front() == '-' ? text : " " + text;
}

} // namespace

double GeneralLeadingNumber(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    text.remove_prefix(start);
    if (double plain = 0; ReadPlainDecimal(text.data(), text.data() + text.size(), plain))
        return plain;
    // Blanks inside a number are ignored as well; strip them only when present.
    const std::size_t quickLength = NumberLength(text);
    const std::size_t numberish = text.find_first_not_of("+-.0123456789eE");
    const bool blankInside = numberish != std::string_view::npos && IsBlank(text[numberish]);
    if (!blankInside)
        return quickLength == 0 ? 0.0 : ParseNumber(text.substr(0, quickLength));

    std::string compact;
    for (const char c : text) {
        if (IsBlank(c))
            continue;
        if (!IsDigit(c) && c != '.' && c != '+' && c != '-' && c != 'e' && c != 'E')
            break;
        compact.push_back(c);
    }
    const std::size_t length = NumberLength(compact);
    return length == 0 ? 0.0 : ParseNumber(std::string_view(compact).substr(0, length));
}

std::int16_t RoundToInt16(double value)
{
    if (!std::isfinite(value))
        throw PassFailure("not a 16-bit number");
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        throw PassFailure("not a 16-bit number");
    return static_cast<std::int16_t>(rounded);
}

std::string NumberText(double value)
{
    return GeneralText(value, 15);
}

std::string SingleText(float value)
{
    return GeneralText(value, 7);
}

std::string BurnTimeText(double seconds)
{
    const double minutes = std::floor(seconds / 60);
    const double rest = seconds - minutes * 60;
    if (!std::isfinite(minutes) || !std::isfinite(rest))
        throw PassFailure("burn time out of range");
    return NumberText(minutes) + " Mins " + NumberText(rest) + " Secs";
}

std::string TrimBlanks(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view ValueFrom(std::string_view line, std::size_t position)
{
    if (position == 0 || line.size() < position)
        return {};
    return line.substr(position - 1);
}

std::string CodePointToUtf8(char32_t code)
{
    std::string out;
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view bytes)
{
    // 0x80..0x9F; the five holes keep their C1 code points.
    static constexpr char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
            continue;
        }
        out += CodePointToUtf8(byte < 0xA0 ? high[byte - 0x80] : byte);
    }
    return out;
}

void FailOutOfSingleRange()
{
    throw PassFailure("value out of single-precision range");
}

} // namespace velantro
