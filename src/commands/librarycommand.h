#pragma once

#include "commands/commandline.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace velantro {

enum class GroupBy;

// The library of the graph files in the folders and their subfolders: a row
// per file, or with groupBy the figures of each drive and media ID (and
// speed), in "text", "json" or "csv". What was passed over and each rejected
// file are named on err: 0 when every file was read, 1 otherwise.
int RunLibrary(const std::vector<std::string>& folders, const std::string& format, std::optional<GroupBy> groupBy,
               unsigned threads, std::ostream& out, std::ostream& err);

// "drive,media" or "drive,media,speed"; nothing for any other text.
std::optional<GroupBy> ParseGroupBy(const std::string& text);

// velantro --library [--group-by drive,media[,speed]] [--format text|json|csv] [FOLDER...]
class LibraryCommand : public Command {
public:
    explicit LibraryCommand(CommandLine& commandLine);
    int Run(int argc, char** argv) const;

private:
    std::string groupBy_;
    CLI::Option* groupByOption_ = nullptr;
};

} // namespace velantro
