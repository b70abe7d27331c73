#pragma once

#include "charts/zoomrange.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace velantro {

struct CompareOptions {
    QString Output;
    std::vector<std::string> GraphFiles;
    bool Verify = false;
    // Sectors; none for the whole axis.
    std::optional<ZoomRange> Range;
};

// "START:END" in sectors, 0 <= START < END; nothing for anything else.
std::optional<ZoomRange> ParseSectorRange(const std::string& text);

// Draws the files' write (or verify) speed over one axis into a PNG, without
// a display. 0 when written with every file; 1 when a file was left out
// (each named on standard error with the reason, the others drawn) or when
// nothing could be written.
int RunCompare(int argc, char** argv, const CompareOptions& options);

} // namespace velantro
