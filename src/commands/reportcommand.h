#pragma once

#include "commands/commandline.h"
#include <iosfwd>
#include <string>
#include <vector>

namespace velantro {

// The burn report of each file in the order given: "text", "json" or "csv".
// A rejected file is named with its reason on err (and in the JSON and CSV)
// and the others go on: 0 when every file was read, 1 otherwise.
int RunReport(const std::vector<std::string>& files, const std::string& format, std::ostream& out,
              std::ostream& err);

// velantro --report [--format text|json|csv] FILE.ibg...
class ReportCommand : public Command {
public:
    explicit ReportCommand(CommandLine& commandLine);
    int Run(int argc, char** argv) const;
};

} // namespace velantro
