#pragma once

#include "vocabulary/infocaptions.h"
#include "graphfile/graphreader.h"
#include "graphfile/infopanel.h"
#include "report/dipfinder.h"
#include "report/statistics.h"
#include "report/strategy.h"

#include <array>
#include <optional>
#include <string>

namespace velantro {

// Below half full the drive is close to running dry (a buffer underrun).
constexpr double BufferDropLevel = 50;

// What the samples of one section say.
struct SectionReport {
    std::size_t Samples = 0;
    double FirstSector = 0;
    double LastSector = 0;
    ValueStats Speed;
    double RpmMax = 0; // the RPM estimate as the load pass plots it
    ValueStats Cpu;
    bool HasBuffer = false; // write sections only
    ValueStats Buffer;
    RunList Drops;          // runs of the buffer below BufferDropLevel
    CappedList<Dip> Dips;
    StrategyResult Strategy;
};

struct BurnReport {
    std::string File;
    std::string Error; // the reason the file was rejected; empty when read
    GraphHeader Header;
    std::string Drive; // UTF-8
    // The seventeen information values as --info shows them: UTF-8, trimmed.
    std::array<std::string, InfoValueCount> Info;
    std::optional<SectionReport> Write; // absent or empty: none
    std::optional<SectionReport> Verify;
    std::optional<double> LayerBreak;
    bool DecimalComma = false; // the verify samples were written with one

    bool Read() const { return Error.empty(); }
};

// Reads a file once, as the window's load pass would, and sums up its
// samples. Accepts and rejects exactly the files the window does; memory
// does not grow with the file.
BurnReport ReadBurnReport(const std::string& path, const DateFormatter& generalDate);

} // namespace velantro
