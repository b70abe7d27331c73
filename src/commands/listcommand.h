#pragma once

#include "commands/commandline.h"
#include <iosfwd>

namespace velantro {

// Prints the graph files in ImgBurn's folders of every Wine prefix of this
// user, newest first by modification time, one a line: the time, the path,
// the drive, the media type and the sections, separated by tabs, as the load
// pass reads them ("invalid" for a file it rejects). When there is none,
// says on err where it looked. Always 0.
int RunList(std::ostream& out, std::ostream& err);

// velantro --list
class ListCommand : public Command {
public:
    explicit ListCommand(CommandLine& commandLine);
    int Run(int argc, char** argv) const;
};

} // namespace velantro
