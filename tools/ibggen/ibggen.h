#pragma once

// Writes made-up but realistic graph data files, so that the viewer and its
// tests have sample files of our own.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace ibggen {

enum class Kind {
    DvdBurnVerify,         // DVD+R 16x burn followed by its verify
    DvdDualLayer,          // DVD+R DL 8x burn and verify, speed drop at the layer change
    CdWriteOnly,           // CD-R 48x burn, no verify; its volume label holds a Windows-1252 byte
    BdVerifyOnly,          // BD-R 25 GB verify alone: verify speed block, no write section
    NoSections,            // header and speed block only
    TruncatedWrite,        // burn cut short inside the write section, no end marker
    EmptyWriteWithVerify,  // empty write section, then a verify section with data
    ReadLog,               // another dump tool's read log of a DVD-R: a verify alone, dated in its own form
    HddReadLog,            // the same tool's read log of a hard disk, MEDIA_TYPE=HDD
};

// How the sample lines write their numbers: that other tool writes them in
// the desktop's format, "6,41" under de-DE. Header values always have a point.
enum class NumberFormat { EnUs, DeDe };

// How the drive sets its write speed over the disc; Kind keeps the kind's own.
enum class Strategy { Kind, Clv, Cav, Pcav, Zclv };

// Samples [first, first + length) of a section, counted from 0.
struct Stretch {
    std::size_t first = 0;
    std::size_t length = 0;
};

struct Options {
    Kind kind = Kind::DvdBurnVerify;
    std::size_t samples = 1000;  // sample lines per section present
    std::string eol = "\r\n";    // "\r\n", "\n" or "\r"; written as given
    std::uint32_t seed = 1;      // deterministic output for a seed
    NumberFormat numbers = NumberFormat::EnUs;
};

// Which drive burned which media at which speed, and how far the verify got.
struct BurnSetup {
    // The header's texts; empty keeps the kind's own.
    std::string drive, firmware, mediaId, speedSelected;
    double verifyReach = 1;  // share of the verify's samples written, as a verify stopped early
};

// What a burn report should find: a write strategy, dips and drops at known places.
struct Profile {
    // A write profile of its own: ramps up at the start and down at the end.
    Strategy writeStrategy = Strategy::Kind;
    bool calm = false;              // no random slow spots or buffer dips
    std::vector<Stretch> dips;      // speed at half in both sections there
    std::vector<Stretch> drops;     // write buffer at 30 % there
};

// Streams line by line: memory use does not grow with the number of samples.
void Write(const Options& options, std::ostream& out, const Profile& profile = {}, const BurnSetup& setup = {});
std::string Generate(const Options& options, const Profile& profile = {});
// False when the file cannot be created or written.
bool WriteFile(const Options& options, const std::string& path, const Profile& profile = {},
               const BurnSetup& setup = {});

// "dvd-verify", "dvd-dl", "cd-write", "bd-verify", "no-sections",
// "truncated-write", "empty-write-verify", "read-log", "hdd-read-log"
std::optional<Kind> KindFromName(std::string_view name);
std::string_view KindName(Kind kind);
// "clv", "cav", "pcav", "zclv"
std::optional<Strategy> StrategyFromName(std::string_view name);
// "en-US", "de-DE"
std::optional<NumberFormat> NumberFormatFromName(std::string_view name);
inline constexpr Kind AllKinds[] = {
    Kind::DvdBurnVerify, Kind::DvdDualLayer,   Kind::CdWriteOnly,          Kind::BdVerifyOnly,
    Kind::NoSections,    Kind::TruncatedWrite, Kind::EmptyWriteWithVerify, Kind::ReadLog,
    Kind::HddReadLog,
};

}  // namespace ibggen
