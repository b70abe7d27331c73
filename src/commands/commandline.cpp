#include "commands/commandline.h"

#include "graphfile/loadpass.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iostream>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace velantro {

namespace {

constexpr const char* Description =
    "Shows an ImgBurn graph data file: the drive, the information values, the\n"
    "speed and RPM chart and the buffer and CPU chart.\n";

// Our usage lines instead of the generated one, and no "Needs:"/"Excludes:"
// tags: the descriptions say how options go together.
class UsageFormatter : public CLI::Formatter {
public:
    explicit UsageFormatter(const std::vector<std::string>& synopses) : synopses_(synopses) {}

    std::string make_usage(const CLI::App*, std::string) const override
    {
        std::string usage;
        for (const std::string& line : synopses_)
            usage += (usage.empty() ? "Usage: " : "       ") + line + "\n";
        return usage + "\n" + Description;
    }
    std::string make_option_opts(const CLI::Option* option) const override
    {
        return option->get_type_size() == 0 ? std::string() : " " + option->get_type_name();
    }
    std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const override
    {
        std::string help = make_usage(app, {}) + make_positionals(app);
        for (const std::string& group : app->get_groups()) {
            const std::vector<const CLI::Option*> options = app->get_options(
                [&](const CLI::Option* option) { return option->get_group() == group && option->nonpositional(); });
            if (!options.empty())
                help += make_group(group, false, options);
        }
        return help;
    }

private:
    const std::vector<std::string>& synopses_;
};

// START:END, two numbers of sectors with START below END; nothing else.
std::optional<ZoomRange> ParseRange(const std::string& text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const auto number = [](const char* begin, const char* end) -> std::optional<double> {
        double value = 0;
        const auto [stop, error] = std::from_chars(begin, end, value);
        if (begin == end || error != std::errc() || stop != end || !std::isfinite(value))
            return std::nullopt;
        return value;
    };
    const std::optional<double> start = number(text.data(), text.data() + colon);
    const std::optional<double> end = number(text.data() + colon + 1, text.data() + text.size());
    if (!start || !end || *start >= *end)
        return std::nullopt;
    return ZoomRange{*start, *end};
}

} // namespace

CommandLine::CommandLine() : app_(Description, "velantro"), synopses_{"velantro [FILE.ibg]"}
{
    app_.formatter(std::make_shared<UsageFormatter>(synopses_));
    app_.get_formatter()->column_width(16);
    app_.get_formatter()->label("Positionals", "Arguments");
    app_.add_option("FILE.ibg", files_, "the graph file to show, or the one a command reads")->type_name("");
}

CLI::Option* CommandLine::AddCommand(const std::string& name, std::string& value, const std::string& valueName,
                                     const std::string& description, const std::string& synopsis)
{
    return Register(app_.add_option(name, value, description)->type_name(valueName), synopsis);
}

CLI::Option* CommandLine::AddFileCommand(const std::string& name, std::string& value, const std::string& description,
                                         const std::string& synopsis)
{
    return AddCommand(name, value, "FILE", description, synopsis)->expected(0, 1);
}

std::optional<std::string> CommandLine::CommandFile(const std::string& value) const
{
    if (!value.empty() && files_.empty())
        return value;
    if (value.empty() && files_.size() == 1)
        return files_.front();
    return std::nullopt;
}

CLI::Option* CommandLine::AddFlagCommand(const std::string& name, const std::string& description,
                                         const std::string& synopsis)
{
    return Register(app_.add_flag(name, description), synopsis);
}

CLI::Option* CommandLine::Register(CLI::Option* command, const std::string& synopsis)
{
    for (CLI::Option* other : commands_)
        command->excludes(other);
    commands_.push_back(command);
    synopses_.push_back(synopsis);
    return command;
}

void CommandLine::AddRangeTo(CLI::Option* command)
{
    rangeCommands_.push_back(command);
}

void CommandLine::AddFormatTo(CLI::Option* command)
{
    formatCommands_.push_back(command);
    // Next to the first command that prints forms, as in the help before.
    if (formatCommands_.size() == 1) {
        formatOption_ = app_.add_option("--format", format_, "text (the default), json or csv")
                            ->type_name("FORMAT")
                            ->check(CLI::IsMember({"text", "json", "csv"}).description(""));
    }
}

std::string CommandLine::CommandNames(const std::vector<CLI::Option*>& commands)
{
    std::string names;
    for (const CLI::Option* command : commands)
        names += (names.empty() ? "" : " or ") + command->get_name();
    return names;
}

std::optional<int> CommandLine::Parse(int argc, char** argv)
{
    if (formatOption_ != nullptr)
        formatOption_->group("With " + CommandNames(formatCommands_));
    // Set here so that they come last in the help, after the commands.
    if (!rangeCommands_.empty()) {
        rangeOption_ = app_.add_option("--range", rangeText_,
                        "show only the sectors from START to END (START below END),\n"
                        "cut to the chart, as the window's zoom does")
            ->type_name("START:END")
            ->group("With " + CommandNames(rangeCommands_));
    }
    app_.set_help_flag("--help", "show this help and exit");
    app_.set_version_flag("--version", "velantro " VELANTRO_VERSION, "show the version and exit");
    // Everything after "--" is a graph file, for every command: the parser
    // would let a command's own value swallow the mark and read on.
    std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const auto mark = std::find(arguments.begin(), arguments.end(), "--");
    const std::vector<std::string> afterMark(mark == arguments.end() ? mark : mark + 1, arguments.end());
    arguments.erase(mark, arguments.end());
    std::reverse(arguments.begin(), arguments.end());
    try {
        app_.parse(arguments);
    } catch (const CLI::CallForHelp&) {
        return WriteOut(Help());
    } catch (const CLI::CallForVersion& version) {
        return WriteOut(std::string(version.what()) + '\n');
    } catch (const CLI::ParseError& error) {
        return UsageError(error.what());
    }
    files_.insert(files_.end(), afterMark.begin(), afterMark.end());
    if (formatOption_ != nullptr && formatOption_->count() > 0 &&
        std::none_of(formatCommands_.begin(), formatCommands_.end(),
                     [](const CLI::Option* command) { return command->count() > 0; }))
        return UsageError("--format requires " + CommandNames(formatCommands_));
    if (rangeOption_ != nullptr && rangeOption_->count() > 0) {
        if (std::none_of(rangeCommands_.begin(), rangeCommands_.end(),
                         [](const CLI::Option* command) { return command->count() > 0; }))
            return UsageError("--range requires " + CommandNames(rangeCommands_));
        range_ = ParseRange(rangeText_);
        if (!range_)
            return UsageError("--range takes START:END, sectors with START below END");
    }
    return std::nullopt;
}

int CommandLine::WriteOut(const std::string& text)
{
    CheckedOutput output(STDOUT_FILENO);
    std::ostream(&output) << text;
    return output.Finish(0, std::cerr);
}

int CommandLine::UsageError(const std::string& message) const
{
    std::cerr << "velantro: " << message << "\n" << Help();
    return 2;
}

std::string CommandLine::Help() const
{
    return app_.help();
}

int FileError(std::ostream& err, const std::string& path, const std::string& reason)
{
    err << "velantro: " << path << ": " << reason << '\n';
    return 1;
}

int RejectedFile(std::ostream& err, const std::string& path, const LoadOutcome& outcome)
{
    return RejectedFile(err, path, outcome.Reason);
}

int RejectedFile(std::ostream& err, const std::string& path, const std::string& reason)
{
    return FileError(err, path, "does not appear to be a valid .ibg file (" + reason + ")");
}

int WriteError(std::ostream& err, const std::string& path, const std::string& reason)
{
    err << "velantro: cannot write " << path << ": " << reason << '\n';
    return 1;
}

std::optional<int> OutputIsAnInput(std::ostream& err, const std::string& output, const std::vector<std::string>& inputs)
{
    struct stat out {};
    if (stat(output.c_str(), &out) != 0)
        return std::nullopt;
    for (const std::string& input : inputs) {
        struct stat in {};
        if (stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino) {
            err << "velantro: " << output << " is the graph file " << input << "; nothing written\n";
            return 1;
        }
    }
    return std::nullopt;
}

std::optional<int> ParseCount(const std::string& text, int low, int high)
{
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int value = std::stoi(text);
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

void CheckedOutput::Drain()
{
    const char* data = pbase();
    std::size_t left = static_cast<std::size_t>(pptr() - pbase());
    while (error_ == 0 && left > 0) {
        const ssize_t got = write(descriptor_, data, left);
        if (got < 0 && errno != EINTR)
            error_ = errno;
        if (got > 0) {
            data += got;
            left -= static_cast<std::size_t>(got);
        }
    }
    // After a failure the rest is dropped: the status says it was not written.
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

int CheckedOutput::overflow(int c)
{
    Drain();
    if (c != traits_type::eof())
        sputc(static_cast<char>(c));
    return traits_type::not_eof(c);
}

int CheckedOutput::sync()
{
    Drain();
    return error_ == 0 ? 0 : -1;
}

int CheckedOutput::Finish(int status, std::ostream& err)
{
    Drain();
    if (close(descriptor_) != 0 && error_ == 0 && errno != EINTR)
        error_ = errno;
    if (error_ == 0)
        return status;
    err << "velantro: cannot write the output: " << std::strerror(error_) << '\n';
    return 1;
}

} // namespace velantro
