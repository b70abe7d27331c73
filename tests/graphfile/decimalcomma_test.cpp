#include "graphfile/graphreader.h"
#include "support/graphtext.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace velantro {
namespace {

using testing::GraphText;
using testing::TempFile;

// A verify alone whose samples carry a decimal comma reads as if written with
// a point, but only when every sign holds; any other file reads as before,
// and a later line that breaks the form rejects the file at its line.
TEST(DecimalComma, AllSignsTogether)
{
    using Read = std::tuple<double, double, double>; // speed, sector, CPU
    const struct {
        std::string Start; // VERIFY_SPEED_START, or none: a burn's write block
        std::string Lines; // the verify section, "|" between lines
        bool Comma;
        std::vector<Read> Samples;
        std::string Error;
    } cases[] = {
        {"6.41", "6,41,0,106,0|7,02,500,107,3", true, {{6.41, 0, 0}, {7.02, 500, 3}}, ""},
        {"6.41", "6.41,0,106,0|7.02,500,107,3", false, {{6.41, 0, 0}, {7.02, 500, 3}}, ""},
        {"6.41", "6,41,0,106|7,02,500,107,3", false, {{6, 41, 106}, {7, 2, 107}}, ""},
        {"6.41", "6,41,0,106,0|7,02,500,107", true, {{6.41, 0, 0}}, "line 22: sample line too short"},
        {"6.41", "6,41,0,106,0|7,02,500,107,3,1", true, {{6.41, 0, 0}}, "line 22: sample line without the decimal"},
        {"6.41", "6,410,0,106,0", false, {{6, 410, 106}}, ""},
        {"6.41", "6,41,0,106,0|7,020,500,107,3", true, {{6.41, 0, 0}}, "line 22: sample line without the decimal"},
        {"6.41", "6,42,0,106,0", false, {{6, 42, 106}}, ""},
        {"6.4", "6,45,0,106,0", true, {{6.45, 0, 0}}, ""},
        {"6.4", "6,46,0,106,0", false, {{6, 46, 106}}, ""},
        {" 6.413x", "6,41,0,106,0", true, {{6.41, 0, 0}}, ""},
        {"6", "6,51,0,106,0", false, {{6, 51, 106}}, ""},
        {"", "6,41,0,106,0", false, {{6, 41, 106}}, ""},
        {"6.41", "6.41,41,106,0,5", false, {{6.41, 41, 0}}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Start + " " + c.Lines);
        GraphText text;
        if (!c.Start.empty())
            text.SpeedBlock = "VERIFY_SPEED_START=" + c.Start + "\r\nVERIFY_SPEED_END=16.00\r\nVERIFY_SPEED_AVERAGE=11.50\r\n"
                              "VERIFY_SPEED_MAX=16.10\r\nVERIFY_TIME_TAKEN=754\r\n";
        std::string lines;
        for (const char ch : c.Lines)
            lines += ch == '|' ? std::string("\r\n") : std::string(1, ch);
        text.Body = "[END_CONFIGURATION]\r\n[START_VERIFY]\r\n" + lines + "\r\n[END_VERIFY]\r\n";
        const TempFile file(text.Text());
        GraphReader reader;
        ASSERT_TRUE(reader.Open(file.Path()));
        std::vector<Read> samples;
        GraphToken token;
        while ((token = reader.ReadNext()) != GraphToken::EndOfFile && token != GraphToken::Invalid) {
            if (token == GraphToken::Sample)
                samples.emplace_back(reader.Sample().Speed, reader.Sample().Sector, reader.Sample().First);
        }
        EXPECT_EQ(samples, c.Samples);
        EXPECT_EQ(reader.DecimalComma(), c.Comma);
        EXPECT_EQ(reader.ErrorString().substr(0, c.Error.size()), c.Error);
        EXPECT_EQ(reader.HasError(), !c.Error.empty());
    }
}

} // namespace
} // namespace velantro
