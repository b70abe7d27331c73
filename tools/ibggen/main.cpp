#include "ibggen.h"
#include "library.h"

#include <charconv>
#include <iostream>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int UsageError = 2;

void PrintUsage(std::ostream& out)
{
    out << "usage: ibggen --kind NAME [--samples N] [--eol crlf|lf|cr] [--seed S] [--numbers en-US|de-DE]\n"
           "              [--strategy clv|cav|pcav|zclv] [--calm] [--dip I[:N]]... [--drop I[:N]]... -o OUT.ibg\n"
           "       ibggen --library N [--samples N] -o FOLDER\n"
           "kinds:";
    for (const ibggen::Kind kind : ibggen::AllKinds)
        out << ' ' << ibggen::KindName(kind);
    out << "\ndefaults: --samples 1000 --eol crlf --seed 1\n"
           "--strategy  write with that strategy instead of the kind's own, with ramps at both ends\n"
           "--calm      no random slow spots in the verify or dips of the buffer\n"
           "--dip I:N   the speed of samples I to I+N-1 of each section at half (N 6 by default)\n"
           "--drop I:N  the write buffer of those samples at 30 %\n"
           "--numbers   the sample lines' number format: de-DE writes a decimal comma (en-US by default)\n"
           "--library N N burns into FOLDER: 3 drives x 3 media IDs x 2 speeds, a dip in a\n"
           "            quarter of each group's burns, a buffer drop in two in five, and\n"
           "            a verify stopped at 60 % in one in ten\n";
}

int Fail(std::string_view message)
{
    std::cerr << "ibggen: " << message << '\n';
    PrintUsage(std::cerr);
    return UsageError;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

// "I" or "I:N": N samples from sample I.
bool ParseStretch(std::string_view text, ibggen::Stretch& stretch)
{
    const std::size_t colon = text.find(':');
    stretch.length = 6;
    if (colon != std::string_view::npos && !ParseNumber(text.substr(colon + 1), stretch.length))
        return false;
    return ParseNumber(text.substr(0, colon), stretch.first);
}

}  // namespace

int main(int argc, char** argv)
{
    ibggen::Options options;
    ibggen::Profile profile;
    bool haveKind = false;
    std::optional<std::size_t> libraryFiles;
    std::string outPath;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            PrintUsage(std::cout);
            return 0;
        }
        if (arg == "--calm") {
            profile.calm = true;
            continue;
        }
        if (arg != "--kind" && arg != "--samples" && arg != "--eol" && arg != "--seed" && arg != "-o" &&
            arg != "--strategy" && arg != "--dip" && arg != "--drop" && arg != "--numbers" && arg != "--library")
            return Fail("unknown argument: " + std::string(arg));
        if (i + 1 >= argc)
            return Fail(std::string(arg) + " needs a value");
        const std::string_view value = argv[++i];

        if (arg == "--library") {
            std::size_t files = 0;
            if (!ParseNumber(value, files))
                return Fail("--library needs a whole number");
            libraryFiles = files;
        } else if (arg == "--kind") {
            const auto kind = ibggen::KindFromName(value);
            if (!kind)
                return Fail("unknown kind: " + std::string(value));
            options.kind = *kind;
            haveKind = true;
        } else if (arg == "--samples") {
            if (!ParseNumber(value, options.samples))
                return Fail("--samples needs a whole number");
        } else if (arg == "--seed") {
            if (!ParseNumber(value, options.seed))
                return Fail("--seed needs a whole number from 0 to 4294967295");
        } else if (arg == "--numbers") {
            const auto numbers = ibggen::NumberFormatFromName(value);
            if (!numbers)
                return Fail("--numbers must be en-US or de-DE");
            options.numbers = *numbers;
        } else if (arg == "--strategy") {
            const auto strategy = ibggen::StrategyFromName(value);
            if (!strategy)
                return Fail("unknown strategy: " + std::string(value));
            profile.writeStrategy = *strategy;
        } else if (arg == "--dip" || arg == "--drop") {
            ibggen::Stretch stretch;
            if (!ParseStretch(value, stretch))
                return Fail(std::string(arg) + " needs FIRST or FIRST:LENGTH");
            (arg == "--dip" ? profile.dips : profile.drops).push_back(stretch);
        } else if (arg == "--eol") {
            if (value == "crlf")
                options.eol = "\r\n";
            else if (value == "lf")
                options.eol = "\n";
            else if (value == "cr")
                options.eol = "\r";
            else
                return Fail("--eol must be crlf, lf or cr");
        } else {
            outPath = value;
        }
    }
    if (libraryFiles) {
        if (outPath.empty())
            return Fail("-o is required");
        if (!ibggen::WriteLibrary(ibggen::LibraryPlan(*libraryFiles, options.samples), outPath)) {
            std::cerr << "ibggen: cannot write into " << outPath << '\n';
            return 1;
        }
        return 0;
    }
    if (!haveKind)
        return Fail("--kind is required");
    if (outPath.empty())
        return Fail("-o is required");

    if (!ibggen::WriteFile(options, outPath, profile)) {
        std::cerr << "ibggen: cannot write " << outPath << '\n';
        return 1;
    }
    return 0;
}
