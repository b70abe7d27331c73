#pragma once

#include "vocabulary/zoomrange.h"

#include <CLI/CLI.hpp>

#include <array>
#include <iosfwd>
#include <optional>
#include <streambuf>
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
    // A command whose value is its graph file; that may come after "--".
    CLI::Option* AddFileCommand(const std::string& name, std::string& value, const std::string& description,
                                const std::string& synopsis);
    // A command that takes no value.
    CLI::Option* AddFlagCommand(const std::string& name, const std::string& description, const std::string& synopsis);
    // --range START:END, for each command that draws a stretch of the disc;
    // with any other it is a usage error.
    void AddRangeTo(CLI::Option* command);
    // After Parse: the sectors asked for with --range, or nothing.
    const std::optional<ZoomRange>& Range() const { return range_; }
    // --format text|json|csv, for each command that prints in those forms.
    void AddFormatTo(CLI::Option* command);
    // After Parse: "text" unless --format said otherwise.
    const std::string& Format() const { return format_; }

    // The exit status when parsing ended the run (help, version, usage error).
    std::optional<int> Parse(int argc, char** argv);

    // The message and the usage on standard error; the status of a usage error.
    int UsageError(const std::string& message) const;

    const std::vector<std::string>& Files() const { return files_; }
    // The one file of a command that takes a file as its value: the value,
    // or the one loose argument when the value was left for after "--"
    // ("--info -- -dash.ibg"); nothing when there is not exactly one.
    std::optional<std::string> CommandFile(const std::string& value) const;

private:
    std::string Help() const;
    // The text on standard output; 0, or 1 when it could not be written.
    static int WriteOut(const std::string& text);
    CLI::Option* Register(CLI::Option* command, const std::string& synopsis);
    static std::string CommandNames(const std::vector<CLI::Option*>& commands);

    CLI::App app_;
    std::vector<std::string> synopses_;
    std::vector<CLI::Option*> commands_;
    std::vector<std::string> files_;
    std::vector<CLI::Option*> rangeCommands_;
    CLI::Option* rangeOption_ = nullptr;
    std::string rangeText_;
    std::optional<ZoomRange> range_;
    std::vector<CLI::Option*> formatCommands_;
    CLI::Option* formatOption_ = nullptr;
    std::string format_ = "text";
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
int RejectedFile(std::ostream& err, const std::string& path, const std::string& reason);
// "velantro: cannot write OUT: reason"; the status of a failed write.
int WriteError(std::ostream& err, const std::string& path, const std::string& reason);

// Status 1 with both names on standard error when OUT exists and is one of
// the inputs, by any spelling: by its device and inode, not by its name.
std::optional<int> OutputIsAnInput(std::ostream& err, const std::string& output,
                                   const std::vector<std::string>& inputs);

// A number of the command line: plain decimal digits from `low` to `high`,
// else nothing. The check and the value are this one reading.
std::optional<int> ParseCount(const std::string& text, int low, int high);

// Standard output that keeps its first failure, so that a full disk or a
// closed pipe is the command's failure rather than silence.
class CheckedOutput : public std::streambuf {
public:
    explicit CheckedOutput(int descriptor) : descriptor_(descriptor)
    {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }

    // Flushes and closes: the status, or 1 with "velantro: cannot write the
    // output: reason" on `err` when a write failed.
    int Finish(int status, std::ostream& err);

protected:
    int overflow(int c) override;
    int sync() override;

private:
    void Drain();

    int descriptor_;
    int error_ = 0;
    std::array<char, 1 << 16> buffer_{};
};

} // namespace velantro
