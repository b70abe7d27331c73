// The bridge the WebAssembly build reads and writes numbers with, against
// the standard library the desktop uses: the page must show the same texts.
#define VELANTRO_FLOAT_BRIDGE
#include "vocabulary/floatchars.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace velantro {
namespace {

std::vector<double> Values()
{
    std::vector<double> values = {0,    -0.0, 1,     0.5,  -3.75,  0.1,   1e-5,   1e-7, 1e15, 1e16, 1e21,
                                  1e22, 1e300, 5e-324, 999999999999999.9, 1234567890123456.0,
                                  9007199254740993.0, 123456789012345678.0};
    std::mt19937_64 random(20);
    for (int i = 0; i < 1000; ++i) {
        const double share = std::uniform_real_distribution<double>(-1, 1)(random);
        values.push_back(share * std::pow(10.0, std::uniform_int_distribution<int>(-30, 30)(random)));
        values.push_back(std::round(share * 1e6) / 100);
        const double bits = std::bit_cast<double>(random());
        if (std::isfinite(bits))
            values.push_back(bits);
    }
    return values;
}

template <typename Convert>
std::string Text(Convert convert)
{
    char buffer[400];
    const auto result = convert(buffer, buffer + sizeof buffer);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : "error";
}

// Shortest, with a precision, fixed, general, single precision: every form the core writes.
TEST(FloatChars, WritesAsTheStandardLibrary)
{
    using std::chars_format;
    for (const double value : Values()) {
        SCOPED_TRACE(value);
        for (const chars_format format : {chars_format::fixed, chars_format::general}) {
            EXPECT_EQ(Text([&](char* a, char* b) { return bridge::ToChars(a, b, value, format); }),
                      Text([&](char* a, char* b) { return std::to_chars(a, b, value, format); }));
            for (const int precision : {0, 2, 7, 15}) {
                EXPECT_EQ(Text([&](char* a, char* b) { return bridge::ToChars(a, b, value, format, precision); }),
                          Text([&](char* a, char* b) { return std::to_chars(a, b, value, format, precision); }));
                const auto single = static_cast<float>(value);
                if (std::isfinite(single)) {
                    EXPECT_EQ(
                        Text([&](char* a, char* b) { return bridge::ToChars(a, b, single, format, precision); }),
                        Text([&](char* a, char* b) { return std::to_chars(a, b, single, format, precision); }));
                }
            }
        }
    }
}

// Round trips, and the edges where the standard reports a range error or stops.
TEST(FloatChars, ReadsAsTheStandardLibrary)
{
    std::vector<std::string> texts = {"1e400", "-1e400", "1e-400", "0e-999", "0",     "00.000", "1e-310", "2.5e-320",
                                      "1.2.3", "1e",     "1e+",    ".5",     "5.",    "1,5",    "0x10",   "inf",
                                      "nan",   "-inf",   "",       "-",      "abc",   "9" + std::string(400, '9')};
    for (const double value : Values()) {
        char buffer[64];
        texts.emplace_back(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    }
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        double bridged = 7;
        double standard = 7;
        const auto a = bridge::FromChars(text.data(), text.data() + text.size(), bridged);
        const auto b = std::from_chars(text.data(), text.data() + text.size(), standard);
        EXPECT_EQ(a.ec, b.ec);
        EXPECT_EQ(a.ptr - text.data(), b.ptr - text.data());
        EXPECT_TRUE(bridged == standard || (std::isnan(bridged) && std::isnan(standard)));
    }
}

} // namespace
} // namespace velantro
