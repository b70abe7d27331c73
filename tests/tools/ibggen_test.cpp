#include "ibggen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using ibggen::Kind;

// The header keys the viewer requires, in order, then the sections the kind promises.
TEST(IbgGen, EveryKindIsDeterministicAndWellFormed)
{
    // Sample lines per section, -1 where the section is absent.
    struct Case { ibggen::Kind Kind; long Write, Verify; bool Ended; };
    const Case cases[] = {
        {Kind::DvdBurnVerify, 30, 30, true}, {Kind::DvdDualLayer, 30, 30, true}, {Kind::CdWriteOnly, 30, -1, true},
        {Kind::BdVerifyOnly, -1, 30, true},  {Kind::NoSections, -1, -1, true},
        // Cut inside the write section: a torn last line, no end marker, no line end.
        {Kind::TruncatedWrite, 31, -1, false}, {Kind::EmptyWriteWithVerify, 0, 30, true},
    };
    const char* keys[] = {"DATE=",          "SAMPLE_RATE=",      "DEVICE_MAKEMODEL=", "DEVICE_FIRMWAREVERSION=",
                          "MEDIA_TYPE=",    "MEDIA_BOOKTYPE=",   "MEDIA_ID=",         "MEDIA_CAPACITY=",
                          "MEDIA_LAYER_BREAK=", "DATA_SECTORS=", "DATA_TYPE=",        "DATA_VOLUMEIDENTIFIER="};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ibggen::KindName(c.Kind)));
        EXPECT_EQ(ibggen::KindFromName(ibggen::KindName(c.Kind)), c.Kind);
        const std::string text = ibggen::Generate({c.Kind, 30, "\n", 7});
        EXPECT_EQ(text, ibggen::Generate({c.Kind, 30, "\n", 7}));
        EXPECT_NE(text, ibggen::Generate({c.Kind, 30, "\n", 8}));
        EXPECT_EQ(text.ends_with('\n'), c.Ended);
        ASSERT_TRUE(text.starts_with("[START_CONFIGURATION]\n"));
        std::size_t at = 0;
        for (const std::string key : keys) {
            at = text.find('\n' + key, at);
            ASSERT_NE(at, std::string::npos) << key;
        }
        at = text.find("\n[END_CONFIGURATION]\n", at);
        ASSERT_NE(at, std::string::npos);
        // Write before verify: each search starts where the last section ended.
        const auto samples = [&](const std::string& name) -> long {
            const std::size_t start = text.find("\n[START_" + name + "]\n", at);
            if (start == std::string::npos)
                return -1;
            at = std::min(text.find("\n[END_" + name + "]\n", start), text.size());
            return std::count(text.begin() + static_cast<long>(start), text.begin() + static_cast<long>(at), '\n') - 1;
        };
        EXPECT_EQ(samples("WRITE"), c.Write);
        EXPECT_EQ(samples("VERIFY"), c.Verify);
    }
}

} // namespace
