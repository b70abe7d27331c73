#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class Option;
}

namespace velantro {

class CommandLine;

// Every sample line of both sections as CSV: section, sector, speed, RPM (as
// the load pass estimates it), buffer, CPU; an empty cell where a section has
// no such field. A rejected file prints no rows: 1, with the reason on err.
int RunSamples(const std::string& path, std::ostream& out, std::ostream& err);

// velantro --samples FILE.ibg
class SamplesCommand {
public:
    explicit SamplesCommand(CommandLine& commandLine);
    bool Chosen() const;
    int Run() const;

private:
    CommandLine& commandLine_;
    CLI::Option* option_ = nullptr;
    std::string file_;
};

} // namespace velantro
