#pragma once

#include <string>
#include <string_view>

namespace velantro {

// Text for a terminal or a tab-separated row, escaped as ls escapes names:
// a backslash doubled; tab, line end and the other C escapes as \t, \n, \r,
// \a, \b, \f, \v; any other control byte, C1 control or byte that is not
// UTF-8 as three octal digits (\033 for ESC). Other UTF-8 stays as it is.
std::string EscapedText(std::string_view text);

// Whether the bytes are well-formed UTF-8.
bool IsUtf8(std::string_view text);

// The bytes as lower-case hexadecimal, two digits each.
std::string HexBytes(std::string_view bytes);

} // namespace velantro
