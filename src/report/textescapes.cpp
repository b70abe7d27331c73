#include "report/textescapes.h"

namespace velantro {

namespace {

// The length of the well-formed UTF-8 character at `at`, 0 when there is none
// (overlong forms, surrogates and values past U+10FFFF are not characters).
std::size_t CharacterLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (std::size_t i = at + 2; i < at + length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

void Octal(std::string& out, unsigned char byte)
{
    out += '\\';
    out += static_cast<char>('0' + (byte >> 6));
    out += static_cast<char>('0' + ((byte >> 3) & 7));
    out += static_cast<char>('0' + (byte & 7));
}

} // namespace

std::string EscapedText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto c = static_cast<unsigned char>(text[at]);
        const std::size_t length = CharacterLength(text, at);
        // U+0080 to U+009F are controls too: U+009B starts a terminal sequence.
        if (length > 1 && !(c == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0)) {
            out.append(text.substr(at, length));
            at += length;
            continue;
        }
        if (length > 1) {
            Octal(out, c);
            Octal(out, static_cast<unsigned char>(text[at + 1]));
            at += 2;
            continue;
        }
        ++at;
        constexpr std::string_view named = "\a\b\t\n\v\f\r", letters = "abtnvfr";
        if (c == '\\')
            out += "\\\\";
        else if (const std::size_t i = named.find(static_cast<char>(c)); c != 0 && i != std::string_view::npos)
            out += '\\', out += letters[i];
        else if (c < 0x20 || c >= 0x7F)
            Octal(out, c);
        else
            out += static_cast<char>(c);
    }
    return out;
}

bool IsUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharacterLength(text, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

std::string HexBytes(std::string_view bytes)
{
    constexpr const char* digits = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

} // namespace velantro
