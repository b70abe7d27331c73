#pragma once

#include "commands/commandline.h"
#include <iosfwd>
#include <string>

namespace velantro {

// Every sample line of both sections as CSV: section, sector, speed, RPM (as
// the load pass estimates it), buffer, CPU; an empty cell where a section has
// no such field. A rejected file prints no rows: 1, with the reason on err.
int RunSamples(const std::string& path, std::ostream& out, std::ostream& err);

// velantro --samples FILE.ibg
class SamplesCommand : public Command {
public:
    explicit SamplesCommand(CommandLine& commandLine);
    int Run() const;

private:
    std::string file_;
};

} // namespace velantro
