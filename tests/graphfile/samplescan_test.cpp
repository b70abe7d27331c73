#include "graphfile/samplescan.h"
#include "support/recording.h"

#include <gtest/gtest.h>

namespace velantro {
namespace {

using testing::GraphText;
using testing::PassRun;
using testing::TempFile;

// The scan must take and refuse exactly what the window's pass does, and
// give every sample of both sections in file order.
TEST(SampleScan, AgreesWithThePass)
{
    const std::string write = "[START_WRITE]\r\n8.5x,1024,0,97,12\r\n9,2048,0,96,11\r\n[END_WRITE]\r\n";
    const std::string verify = "[START_VERIFY]\r\n4,1000,0,3\r\n[END_VERIFY]\r\n";
    GraphText cd;
    cd.MediaType = "CD-R";
    cd.Capacity = "0";
    const struct {
        std::string Body;
        GraphText Text;
        bool Accepted;
        int Samples;
        DataPresent Sections;
        std::string Error;
    } cases[] = {
        {write + verify, {}, true, 3, DataPresent::Both, ""},
        {verify + write, {}, true, 1, DataPresent::VerifyOnly, ""},
        {"[START_WRITE]\r\n[END_WRITE]\r\n" + verify, {}, true, 1, DataPresent::VerifyOnly, ""},
        {write + "[START_VERIFY]\r\n", {}, true, 2, DataPresent::WriteOnly, ""},
        {"", {}, true, 0, DataPresent::None, ""},
        {"[START_WRITE]\r\n1,2,3,4\r\n[END_WRITE]\r\n", {}, false, 0, {}, "line 23: sample line too short"},
        {"[START_WRITE]\r\n1,2,0,4,5\r\n", {}, false, 1, {}, "line 23: unexpected end of file"},
        {"[START_VERIFY]\r\n1,1e39,0,3\r\n[END_VERIFY]\r\n", {}, false, 0, {}, "line 23: value out of single"},
        {write, cd, false, 0, {}, "MEDIA_CAPACITY is 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Body);
        GraphText text = c.Text;
        text.Body = "[END_CONFIGURATION]\r\n" + c.Body;
        const TempFile file(text.Text());
        PassRun run;
        EXPECT_EQ(run.Load(file.Path()).Loaded, c.Accepted);

        SampleScan scan;
        int samples = 0;
        if (scan.Open(file.Path())) {
            while (scan.Next())
                ++samples;
        }
        EXPECT_EQ(!scan.HasError(), c.Accepted);
        EXPECT_EQ(samples, c.Samples);
        if (c.Accepted)
            EXPECT_EQ(scan.Sections(), c.Sections);
        else
            EXPECT_NE(scan.ErrorString().find(c.Error), std::string::npos) << scan.ErrorString();
    }
}

} // namespace
} // namespace velantro
