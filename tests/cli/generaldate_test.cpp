#include "app/generaldate.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace velantro {
namespace {

TEST(GeneralDate, LocaleForms)
{
    struct Case {
        const char* Locale;
        std::string Text;
        std::string Shown;
    };
    const std::vector<Case> cases = {
        {"en_US", "2026-11-28 21:14:33", "11/28/26 9:14:33 PM"},
        {"de_DE", "2026-11-28 21:14:33", "28.11.26 21:14:33"},
        {"en_GB", "2026-11-28 21:14:33", "28/11/2026 21:14:33"},
        {"en_US", "2026-01-02 00:00:00", "1/2/26"},          // midnight: the date alone
        {"de_DE", "28.11.26 21:14", "28.11.26 21:14:00"},     // the locale's own short form
        {"en_US", "11/28/26 9:14 PM", "11/28/26 9:14:00 PM"},
        {"en_US", "yesterday evening", "yesterday evening"},  // no date: unchanged
        {"en_US", "", ""},
        {"en_US", "2026-13-45 99:00:00", "2026-13-45 99:00:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Locale) + " " + c.Text);
        EXPECT_EQ(GeneralDate(c.Text, QLocale(QString::fromLatin1(c.Locale))), c.Shown);
    }
}

} // namespace
} // namespace velantro
