#pragma once

// Writes made-up but realistic graph data files, so that the viewer and its
// tests have sample files of our own.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace ibggen {

enum class Kind {
    DvdBurnVerify,         // DVD+R 16x burn followed by its verify
    DvdDualLayer,          // DVD+R DL 8x burn and verify, speed drop at the layer change
    CdWriteOnly,           // CD-R 48x burn, no verify; its volume label holds a Windows-1252 byte
    BdVerifyOnly,          // BD-R 25 GB verify alone: verify speed block, no write section
    NoSections,            // header and speed block only
    TruncatedWrite,        // burn cut short inside the write section, no end marker
    EmptyWriteWithVerify,  // empty write section, then a verify section with data
};

struct Options {
    Kind kind = Kind::DvdBurnVerify;
    std::size_t samples = 1000;  // sample lines per section present
    std::string eol = "\r\n";    // "\r\n", "\n" or "\r"; written as given
    std::uint32_t seed = 1;      // deterministic output for a seed
};

// Streams line by line: memory use does not grow with the number of samples.
void Write(const Options& options, std::ostream& out);
std::string Generate(const Options& options);
// False when the file cannot be created or written.
bool WriteFile(const Options& options, const std::string& path);

// "dvd-verify", "dvd-dl", "cd-write", "bd-verify", "no-sections",
// "truncated-write", "empty-write-verify"
std::optional<Kind> KindFromName(std::string_view name);
std::string_view KindName(Kind kind);
inline constexpr Kind AllKinds[] = {
    Kind::DvdBurnVerify, Kind::DvdDualLayer,   Kind::CdWriteOnly,          Kind::BdVerifyOnly,
    Kind::NoSections,    Kind::TruncatedWrite, Kind::EmptyWriteWithVerify,
};

}  // namespace ibggen
