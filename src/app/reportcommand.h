#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class Option;
}

namespace velantro {

class CommandLine;

// The burn report of each file in the order given: "text", "json" or "csv".
// A rejected file is named with its reason on err (and in the JSON and CSV)
// and the others go on: 0 when every file was read, 1 otherwise.
int RunReport(const std::vector<std::string>& files, const std::string& format, std::ostream& out,
              std::ostream& err);

// velantro --report [--format text|json|csv] FILE.ibg...
class ReportCommand {
public:
    explicit ReportCommand(CommandLine& commandLine);
    bool Chosen() const;
    int Run(int argc, char** argv) const;

private:
    CommandLine& commandLine_;
    CLI::Option* option_ = nullptr;
    std::string format_ = "text";
};

} // namespace velantro
