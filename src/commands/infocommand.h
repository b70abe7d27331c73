#pragma once

#include "commands/commandline.h"
#include "graphfile/loadpass.h"

#include <iosfwd>
#include <string>

namespace velantro {

// "write+verify", "write", "verify" or "none".
const char* SectionsName(DataPresent sections);

// Runs the load pass on a file in the start-up state (averaged, block size
// 10, every series ticked) without drawing anything, and prints the drive,
// the seventeen information values and which sections held samples.
// 0 when the file loaded, 1 (reason on err) when the pass rejected it.
int RunInfo(const std::string& path, std::ostream& out, std::ostream& err);

// velantro --info FILE.ibg
class InfoCommand : public Command {
public:
    explicit InfoCommand(CommandLine& commandLine);
    int Run(int argc, char** argv) const;

private:
    std::string file_;
};

} // namespace velantro
