#pragma once

#include "commands/commandline.h"
#include "vocabulary/zoomrange.h"

#include <optional>
#include <string>
#include <vector>

namespace velantro {

struct CompareOptions {
    std::string Output;                  // as the platform names it
    std::vector<std::string> GraphFiles; // as the platform names them
    bool Verify = false;
    // Sectors, cut to the axis; none for the whole axis.
    std::optional<ZoomRange> Range;
};

// Draws the files' write (or verify) speed over one axis into a PNG, without
// a display. 0 when written with every file; 1 when a file was left out
// (each named on standard error with the reason, the others drawn) or when
// nothing could be written.
int RunCompare(int argc, char** argv, const CompareOptions& options);

// velantro --compare OUT.png [--verify] [--range START:END] FILE...
class CompareCommand : public Command {
public:
    explicit CompareCommand(CommandLine& commandLine);
    int Run(int argc, char** argv);

private:
    CompareOptions options_;
};

} // namespace velantro
