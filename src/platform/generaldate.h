#pragma once

#include <string>

class QLocale;

namespace velantro {

// The locale's general date-time form: the short date, then the time of day
// unless it is exactly midnight. A text that is no date comes back unchanged.
std::string GeneralDate(const std::string& text);
std::string GeneralDate(const std::string& text, const QLocale& locale);

} // namespace velantro
