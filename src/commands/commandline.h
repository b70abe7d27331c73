#pragma once

#include "vocabulary/zoomrange.h"

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace velantro {

struct LoadOutcome;

// The one parser of the program. Each command adds its option here with a
// synopsis line; commands exclude each other, and the loose arguments are the
// graph files. Names stay the bytes the platform gave, up to the open call.
class CommandLine {
public:
    CommandLine();

    CLI::App& App() { return app_; }

    // A command's option, taking one value; the synopsis goes under "Usage:".
    CLI::Option* AddCommand(const std::string& name, std::string& value, const std::string& valueName,
                            const std::string& description, const std::string& synopsis);
    // A command that takes no value.
    CLI::Option* AddFlagCommand(const std::string& name, const std::string& description, const std::string& synopsis);
    // --range START:END, for each command that draws a stretch of the disc;
    // with any other it is a usage error.
    void AddRangeTo(CLI::Option* command);
    // After Parse: the sectors asked for with --range, or nothing.
    const std::optional<ZoomRange>& Range() const { return range_; }

    // The exit status when parsing ended the run (help, version, usage error).
    std::optional<int> Parse(int argc, char** argv);

    // The message and the usage on standard error; the status of a usage error.
    int UsageError(const std::string& message) const;

    const std::vector<std::string>& Files() const { return files_; }
    // The loose arguments joined by blanks, the way one argument string arrives.
    std::string ArgumentString() const;

private:
    std::string Help() const;
    CLI::Option* Register(CLI::Option* command, const std::string& synopsis);
    std::string RangeCommandNames() const;

    CLI::App app_;
    std::vector<std::string> synopses_;
    std::vector<CLI::Option*> commands_;
    std::vector<std::string> files_;
    std::vector<CLI::Option*> rangeCommands_;
    std::string rangeText_;
    std::optional<ZoomRange> range_;
};

// What every command keeps: the parser, and its own option there.
class Command {
public:
    // Whether the command line named it.
    bool Chosen() const { return option_->count() > 0; }

protected:
    explicit Command(CommandLine& commandLine) : commandLine_(commandLine) {}

    CommandLine& commandLine_;
    CLI::Option* option_ = nullptr;
};

// "velantro: FILE: reason" on standard error, the name as given; the status
// of a rejected file.
int FileError(std::ostream& err, const std::string& path, const std::string& reason);
// The same for a file the load pass rejected, with the pass's reason.
int RejectedFile(std::ostream& err, const std::string& path, const LoadOutcome& outcome);

} // namespace velantro
