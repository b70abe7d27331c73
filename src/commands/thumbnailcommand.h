#pragma once

#include "commands/commandline.h"
#include <string>

namespace velantro {

// Sizes beyond this are refused: the picture is held in memory whole.
inline constexpr int LargestThumbnail = 4096;

// Writes the two charts of the file as the window draws them at start-up
// settings, without the text panels, scaled so that the larger side is
// `size` pixels, as a PNG whatever the output's name: a file manager's
// thumbnail. 0 when written; 1 (reason on standard error, no output file)
// when the file was rejected or the picture could not be written.
int RunThumbnail(int argc, char** argv, int size, const std::string& input, const std::string& output);

// velantro --thumbnail SIZE INPUT OUTPUT
class ThumbnailCommand : public Command {
public:
    explicit ThumbnailCommand(CommandLine& commandLine);
    int Run(int argc, char** argv) const;

private:
    std::string size_;
};

} // namespace velantro
