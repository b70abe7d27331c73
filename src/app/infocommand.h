#pragma once

#include <iosfwd>
#include <string>

namespace velantro {

// Runs the load pass on a file in the start-up state (averaged, block size
// 10, every series ticked) without drawing anything, and prints the drive,
// the seventeen information values and which sections held samples.
// 0 when the file loaded, 1 (message on err) when the pass rejected it.
int RunInfo(const std::string& path, std::ostream& out, std::ostream& err);

} // namespace velantro
